#include "screenshot_session.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

#include <SDL_image.h>

#include <system_error>

#include "flow/game.h"
#include "game/fatal_error.h"
#include "pak/resource_path.h"
#include "pak/resource_root.h"
#include "pak/sdl/sdl_memory_file.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"

namespace vantel {

class ScreenshotSession::SavingHooks final : public FrameDrawing {
 public:
  explicit SavingHooks(ScreenshotSession& session)
      : FrameDrawing(session.display_, session.assets_, [&session] { return session.pointer_; }),
        session_(session) {}

  void AfterPickStart(Game& g) override {
    const bool on_score_page = g.flow.state == FlowState::kEndOfMatch;
    first_score_page_frame_ = on_score_page && !was_on_score_page_;
    was_on_score_page_ = on_score_page;
    FrameDrawing::AfterPickStart(g);
  }

  void AfterStep(Game& g) override {
    if (session_.options_.round_view) {
      g.aids.round_view_allowed = true;
      g.aids.round_view_key_held = true;
    }
    FrameDrawing::AfterStep(g);
  }

 protected:
  void Presented(int64_t frame) override { session_.Take(frame, first_score_page_frame_); }

 private:
  ScreenshotSession& session_;
  bool was_on_score_page_ = false;
  bool first_score_page_frame_ = false;
};

ScreenshotSession::ScreenshotSession(const ScreenshotOptions& options) : options_(options) {
  display_.ResetClipRect();
  hooks_ = std::make_unique<SavingHooks>(*this);
}

std::unique_ptr<ScreenshotSession> ScreenshotSession::Open(const ScreenshotOptions& options,
                                                           const std::filesystem::path& archive,
                                                           Game& g, std::string& error,
                                                           const RemoveResources& remove) {
  std::error_code ec;
  std::filesystem::create_directories(options.dir, ec);
  if (ec) {
    error = Format(_("cannot make the screenshot folder %s: %s"), options.dir.c_str(),
                   ec.message().c_str());
    return nullptr;
  }
  const std::optional<ResourceRoot> root = ChooseResourceRoot({}, false, PrivateBases(), &error);
  if (!root) return nullptr;
  SdlPictureConverter converter;
  const UnpackResult unpacked = UnpackInto(archive, *root, converter);
  if (!unpacked.Succeeded()) {
    error = unpacked.message.empty() ? Format(_("cannot unpack %s"), archive.c_str())
                                     : unpacked.message;
    return nullptr;
  }
  std::unique_ptr<ScreenshotSession> session(new ScreenshotSession(options));
  const std::filesystem::path folder = unpacked.root.folder;
  try {
    LoadBitmaps(session->assets_, g,
                [&](std::string_view name) { return ResolveResourcePath(folder, name); });
  } catch (const FatalError& e) {
    error = e.what();
    session.reset();
  }
  const std::string left = remove(unpacked.root);
  if (!left.empty()) {
    error = session ? left : error + "; " + left;
    session.reset();
  }
  return session;
}

void ScreenshotSession::Take(int64_t frame, bool first_score_page_frame) {
  if (!options_.Wants(frame) && !first_score_page_frame) return;
  const std::filesystem::path path = options_.dir / ScreenshotFileName(frame);
  if (!error_.empty()) return;  // the run is being stopped
  error_ = SaveThroughMemory(
      path, [this](SDL_RWops* out) { return IMG_SavePNG_RW(display_.BackBuffer(), out, 0); });
  if (error_.empty()) ++written_;
}

}  // namespace vantel
