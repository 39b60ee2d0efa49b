#include "i18n/localisation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace vantel {
namespace {

namespace fs = std::filesystem;

class CatalogueFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("vantel-i18n-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void Catalogue(const fs::path& locale_folder, const std::string& language) {
    const fs::path dir = root_ / locale_folder / language / "LC_MESSAGES";
    fs::create_directories(dir);
    std::ofstream(dir / "vantel.mo") << "catalogue";
  }

  fs::path root_;
};

TEST_F(CatalogueFolderTest, BuildTreeFindsShareBesideBin) {
  fs::create_directories(root_ / "bin");
  Catalogue("share/locale", "it");
  EXPECT_EQ(CatalogueFolder(root_ / "bin"), root_ / "share/locale");
}

TEST_F(CatalogueFolderTest, InstalledGameFindsThePrefixThreeLevelsUp) {
  fs::create_directories(root_ / "usr/lib/games/vantel");
  Catalogue("usr/share/locale", "it");
  EXPECT_EQ(CatalogueFolder(root_ / "usr/lib/games/vantel"), root_ / "usr/share/locale");
  // vantel-pak, in bin/ of the same prefix.
  EXPECT_EQ(CatalogueFolder(root_ / "usr/bin"), root_ / "usr/share/locale");
}

TEST_F(CatalogueFolderTest, NearestFolderWithACatalogueWins) {
  Catalogue("usr/lib/share/locale", "de");
  Catalogue("usr/share/locale", "it");
  EXPECT_EQ(CatalogueFolder(root_ / "usr/lib/games"), root_ / "usr/lib/share/locale");
}

// Other programs' catalogues, or an empty language folder, are not ours: the
// search goes on, and without any the C library's default stays.
TEST_F(CatalogueFolderTest, FoldersWithoutOurCatalogueAreSkipped) {
  fs::create_directories(root_ / "a/b/share/locale/it/LC_MESSAGES");
  std::ofstream(root_ / "a/b/share/locale/it/LC_MESSAGES/other.mo") << "x";
  fs::create_directories(root_ / "a/b/c/d/e");
  EXPECT_EQ(CatalogueFolder(root_ / "a/b/c/d/e"), std::nullopt);
  Catalogue("a/share/locale", "it");
  EXPECT_EQ(CatalogueFolder(root_ / "a/b/c/d/e"), std::nullopt) << "four levels up is too far";
  EXPECT_EQ(CatalogueFolder(root_ / "a/b/c/d"), root_ / "a/share/locale");
}

TEST_F(CatalogueFolderTest, RootFolderDoesNotClimbPastItself) {
  EXPECT_EQ(CatalogueFolder("/"), std::nullopt);
  EXPECT_EQ(CatalogueFolder(""), std::nullopt);
}

// The environment the fallback reads, without touching the process's own.
std::map<std::string, std::string> fake_environment;

const char* FakeLookup(const char* name) {
  const auto it = fake_environment.find(name);
  return it == fake_environment.end() ? nullptr : it->second.c_str();
}

std::optional<std::string> Fallback(const char* messages_locale,
                                    std::map<std::string, std::string> env) {
  fake_environment = std::move(env);
  return FallbackLanguage(messages_locale, &FakeLookup);
}

TEST(FallbackLanguageTest, LanguageAloneIsHonouredInThePlainLocale) {
  EXPECT_EQ(Fallback("C", {{"LANGUAGE", "it"}}), "it");
  EXPECT_EQ(Fallback("C", {{"LANGUAGE", "it"}, {"LANG", "C.UTF-8"}}), "it");
}

TEST(FallbackLanguageTest, LocaleThatCouldNotBeSetStillChoosesTheLanguage) {
  EXPECT_EQ(Fallback("C", {{"LANG", "it_IT.UTF-8"}}), "it_IT.UTF-8");
  EXPECT_EQ(Fallback("C", {{"LC_MESSAGES", "it_IT.UTF-8"}, {"LANG", "de_DE.UTF-8"}}),
            "it_IT.UTF-8");
  EXPECT_EQ(Fallback("C", {{"LC_ALL", "it_CH.UTF-8"}, {"LC_MESSAGES", "de_DE.UTF-8"}}),
            "it_CH.UTF-8");
  // LANGUAGE refines what the locale names, as gettext itself does.
  EXPECT_EQ(Fallback("C", {{"LANG", "it_IT.UTF-8"}, {"LANGUAGE", "fr:it"}}), "fr:it");
}

TEST(FallbackLanguageTest, AnExplicitPlainLocaleMeansUntranslated) {
  EXPECT_EQ(Fallback("C", {{"LC_ALL", "C"}, {"LANGUAGE", "it"}}), std::nullopt);
  EXPECT_EQ(Fallback("C", {{"LANG", "POSIX"}, {"LANGUAGE", "it"}}), std::nullopt);
  EXPECT_EQ(Fallback("C", {{"LANG", "C.UTF-8"}}), std::nullopt);
  EXPECT_EQ(Fallback("C", {}), std::nullopt);
  EXPECT_EQ(Fallback("C", {{"LANGUAGE", ""}}), std::nullopt);
}

// A locale the C library took reads LANGUAGE by itself.
TEST(FallbackLanguageTest, NothingToDoOutsideThePlainLocale) {
  EXPECT_EQ(Fallback("it_IT.UTF-8", {{"LANGUAGE", "it"}}), std::nullopt);
  EXPECT_EQ(Fallback("C.UTF-8", {{"LANGUAGE", "it"}}), std::nullopt);
  EXPECT_EQ(Fallback("POSIX", {{"LANGUAGE", "it"}}), "it");
}

}  // namespace
}  // namespace vantel
