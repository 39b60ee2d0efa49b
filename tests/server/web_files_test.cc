#include "server/web_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "server/web_response.h"
#include "support/temp_folder.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;
namespace http = boost::beast::http;

// A page as the web client's build lays it out, with the odd things a
// folder may hold beside it.
struct PageFolder {
  TestFolder folder;
  fs::path root = folder / "web";

  PageFolder() {
    folder.Write("web/index.html", "<!doctype html><title>Vantel</title>");
    folder.Write("web/app.js", "export {};");
    folder.Write("web/i18n/it.json", "{}");
    folder.Write("web/cards/0.png", "\x89PNG one");
    folder.Write("web/cards/1.png", "\x89PNG one");  // the same bytes as 0.png
    folder.Write("web/cards/2.png", "\x89PNG two");
    folder.Write("web/.hidden", "never served");
    folder.Write("web/.git/config", "never served");
    folder.Write("secret.txt", "outside the page");
  }

  WebFiles Load() const {
    std::string error;
    std::optional<WebFiles> web = WebFiles::Load(root, error);
    EXPECT_TRUE(web.has_value()) << error;
    return web ? std::move(*web) : WebFiles();
  }
};

TEST(WebFilesTest, ReadsEveryFileOnceWithItsTypeAndTag) {
  const PageFolder page;
  const WebFiles web = page.Load();
  EXPECT_EQ(web.Count(), 6u);  // the hidden files and folders are left out
  const WebFile* script = web.Find("/app.js");
  ASSERT_NE(script, nullptr);
  EXPECT_EQ(script->body, "export {};");
  EXPECT_STREQ(script->content_type, "text/javascript; charset=utf-8");
  EXPECT_STREQ(web.Find("/i18n/it.json")->content_type, "application/json");
  EXPECT_STREQ(web.Find("/cards/2.png")->content_type, "image/png");
  EXPECT_EQ(web.Find("/.hidden"), nullptr);
  EXPECT_EQ(web.Find("/.git/config"), nullptr);

  // A strong tag, quoted, that follows the bytes and not the name.
  const std::string& tag = web.Find("/cards/0.png")->etag;
  ASSERT_GE(tag.size(), 3u);
  EXPECT_EQ(tag.front(), '"');
  EXPECT_EQ(tag.back(), '"');
  EXPECT_FALSE(tag.starts_with("W/"));
  EXPECT_EQ(tag, web.Find("/cards/1.png")->etag);
  EXPECT_NE(tag, web.Find("/cards/2.png")->etag);
}

TEST(WebFilesTest, EveryTypeThePageShipsIsNamed) {
  const std::pair<const char*, const char*> expected[] = {
      {"index.html", "text/html; charset=utf-8"},
      {"a.js", "text/javascript; charset=utf-8"},
      {"a.mjs", "text/javascript; charset=utf-8"},
      {"a.css", "text/css; charset=utf-8"},
      {"a.json", "application/json"},
      {"a.png", "image/png"},
      {"felt.jpg", "image/jpeg"},
      {"felt.jpeg", "image/jpeg"},
      {"a.webp", "image/webp"},
      {"a.svg", "image/svg+xml"},
      {"favicon.ico", "image/vnd.microsoft.icon"},
      {"site.webmanifest", "application/manifest+json"},
      {"a.woff2", "font/woff2"},
      {"robots.txt", "text/plain; charset=utf-8"},
      // Nothing to guess from: with nosniff, the browser will not run it.
      {"a.bin", "application/octet-stream"},
      {"js", "application/octet-stream"},
      {"a.json.bak", "application/octet-stream"},
  };
  for (const auto& [name, type] : expected) EXPECT_STREQ(ContentTypeOf(name), type) << name;
}

TEST(WebFilesTest, ThePageAnswersForItsOwnPathsOnly) {
  const PageFolder page;
  const WebFiles web = page.Load();
  const WebFile* index = web.Find("/index.html");
  ASSERT_NE(index, nullptr);
  for (const char* target :
       {"/", "/?lang=it", "/join/K7QH2M", "/join/k7qh2m", "/join/K7QH2M?x=1", "/join/A"}) {
    EXPECT_EQ(web.Find(target), index) << target;
  }
  EXPECT_EQ(web.Find("/cards/2.png?v=3"), web.Find("/cards/2.png"));
  EXPECT_EQ(web.Find("/cards%2F2.png"), web.Find("/cards/2.png"));
  EXPECT_EQ(web.Find("/app%2ejs"), web.Find("/app.js"));
  for (const char* target :
       {"", "/join/", "/join", "/join/K7QH2M/", "/join/K7-QH", "/join/%41",
        "/join/ABCDEFGHJKMNPQRST", "/cards", "/cards/", "/nothing.js", "//app.js", "/../secret.txt",
        "/%2e%2e/secret.txt", "/cards/../../secret.txt", "/%", "/%4", "/%zz", "/app.js%00"}) {
    EXPECT_EQ(web.Find(target), nullptr) << target;
  }
  EXPECT_EQ(web.Find("/" + std::string(600, 'a')), nullptr);
  EXPECT_EQ(WebFiles().Find("/"), nullptr);
}

TEST(WebFilesTest, AFolderItCannotServeIsRefusedWithTheReason) {
  const TestFolder folder;
  std::string error;
  EXPECT_FALSE(WebFiles::Load(folder / "missing", error).has_value());
  EXPECT_NE(error.find((folder / "missing").string()), std::string::npos) << error;

  folder.Write("plain-file", "x");
  EXPECT_FALSE(WebFiles::Load(folder / "plain-file", error).has_value());

  // The source folder of the page, say, rather than its build.
  folder.Write("no-index/app.ts", "x");
  EXPECT_FALSE(WebFiles::Load(folder / "no-index", error).has_value());
  EXPECT_NE(error.find("index.html"), std::string::npos) << error;

  const fs::path crowded = folder / "crowded";
  folder.Write("crowded/index.html", "x");
  for (std::size_t i = 0; i < kMaxWebEntries; ++i) {
    folder.Write("crowded/" + std::to_string(i) + ".png", "");
  }
  EXPECT_FALSE(WebFiles::Load(crowded, error).has_value());
  EXPECT_NE(error.find(std::to_string(kMaxWebEntries)), std::string::npos) << error;
  fs::remove(crowded / "0.png");
  EXPECT_TRUE(WebFiles::Load(crowded, error).has_value()) << error;

  // Refused by its size before a byte of it is read (the file is sparse).
  const fs::path heavy = folder / "heavy";
  folder.Write("heavy/index.html", "x");
  folder.Write("heavy/big.png", "");
  fs::resize_file(heavy / "big.png", kMaxWebBytes + 1);
  EXPECT_FALSE(WebFiles::Load(heavy, error).has_value());
  EXPECT_NE(error.find("MiB"), std::string::npos) << error;
}

TEST(WebFilesTest, AFileThatCannotBeReadStopsTheLoad) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const PageFolder page;
  fs::permissions(page.root / "app.js", fs::perms::none);
  std::string error;
  EXPECT_FALSE(WebFiles::Load(page.root, error).has_value());
  EXPECT_NE(error.find("/app.js"), std::string::npos) << error;
}

TEST(WebFilesTest, TheInstalledFolderComesBeforeTheBuildTrees) {
  const TestFolder folder;
  const fs::path bin = folder / "bin";
  fs::create_directories(bin);
  EXPECT_FALSE(DefaultWebRoot(bin).has_value());
  fs::create_directories(folder / "web");
  EXPECT_EQ(DefaultWebRoot(bin), folder / "web");
  fs::create_directories(folder / "share" / "vantel" / "web");
  EXPECT_EQ(DefaultWebRoot(bin), folder / "share" / "vantel" / "web");
}

TEST(WebResponseTest, IfNoneMatchIsReadAsAList) {
  const std::string tag = "\"abc\"";
  for (const char* header : {"\"abc\"", "W/\"abc\"", "\"x\", \"abc\"", " \"x\" ,\t\"abc\" ", "*"}) {
    EXPECT_TRUE(MatchesEtag(header, tag)) << header;
  }
  for (const char* header : {"", "\"ab\"", "\"abcd\"", "abc", "\"x\", \"y\"", ","}) {
    EXPECT_FALSE(MatchesEtag(header, tag)) << header;
  }
}

WebRequest Request(http::verb method, const std::string& if_none_match = "") {
  WebRequest request{method, "/", 11};
  if (!if_none_match.empty()) request.set(http::field::if_none_match, if_none_match);
  return request;
}

TEST(WebResponseTest, AFileIsAnsweredFromMemoryWithItsHeaders) {
  WebFile file;
  file.body = "<!doctype html>";
  file.content_type = ContentTypeOf("index.html");
  file.etag = "\"1234\"";

  const PageResponse got = PageAnswer(Request(http::verb::get), file);
  EXPECT_EQ(got.result(), http::status::ok);
  EXPECT_EQ(got[http::field::content_type], "text/html; charset=utf-8");
  EXPECT_EQ(got[http::field::etag], "\"1234\"");
  EXPECT_EQ(got[http::field::cache_control], "no-cache");
  EXPECT_EQ(got["Content-Security-Policy"], kContentSecurityPolicy);
  EXPECT_EQ(got["X-Content-Type-Options"], "nosniff");
  EXPECT_EQ(got["Referrer-Policy"], "no-referrer");
  EXPECT_EQ(got[http::field::content_length], std::to_string(file.body.size()));
  // The file's own bytes, not a copy of them.
  EXPECT_EQ(got.body().data(), file.body.data());
  EXPECT_EQ(got.body().size(), file.body.size());
  EXPECT_TRUE(got.keep_alive());

  const PageResponse head = PageAnswer(Request(http::verb::head), file);
  EXPECT_EQ(head.result(), http::status::ok);
  EXPECT_EQ(head.body().size(), 0u);
  EXPECT_EQ(head[http::field::content_length], std::to_string(file.body.size()));

  const PageResponse same = PageAnswer(Request(http::verb::get, "W/\"1234\""), file);
  EXPECT_EQ(same.result(), http::status::not_modified);
  EXPECT_EQ(same.body().size(), 0u);
  EXPECT_EQ(same[http::field::etag], "\"1234\"");
  EXPECT_EQ(same["Content-Security-Policy"], kContentSecurityPolicy);

  EXPECT_EQ(PageAnswer(Request(http::verb::get, "\"4321\""), file).result(), http::status::ok);
}

}  // namespace
}  // namespace vantel
