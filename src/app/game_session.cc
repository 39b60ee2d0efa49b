#include "app/game_session.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>

#include "app/game_drawing.h"
#include "app/time_of_day_seed.h"
#include "flow/deal.h"
#include "flow/run_frame.h"
#include "game/make_game.h"
#include "pak/remove_resources.h"
#include "pak/resource_path.h"
#include "platform/input_snapshot.h"

namespace vantel {
namespace {

std::string SoundName(std::string_view fileName) {
  return "res\\sounds\\" + std::string(fileName);
}

}  // namespace

GameSession::GameSession(const Options& options, ResourceRoot root, AppPorts& ports)
    : ports_(ports),
      root_(std::move(root)),
      random_(SeedFromTimeOfDay(std::chrono::system_clock::now())),
      game_(MakeGame(options, {random_, sound_, clock_})) {}

GameSession::~GameSession() {
  ReleaseBitmaps(assets_);
  sound_.ReleaseSounds();
  ReleaseDevices();
  RemoveUnpackedTree();
}

void GameSession::StartGame() {
  game_.score.MatchTarget = 50;
  SetUpDevices();
  LoadEverything();
  display_->ResetClipRect();
  NewHand(game_);
  gameRunning_ = true;
  display_->ShowSystemCursor(false);
  display_->DrawSurface(assets_.BackgroundSurface.get(), WholeSurface, 0, 0, false);
  RemoveUnpackedTree();
  FrameLoop();
}

void GameSession::SetUpDevices() {
  const Options& o = game_.options;
  display_ =
      std::make_unique<ScreenDisplay>(o.FullScreen, paceClock_, o.ScreenWidth, o.ScreenHeight);
  display_->SetWindowOffsets(23, 0);
  input_.GiveMeInput();
  input_.KeyBoard();
  const Rect& screen = display_->ScreenRect();
  input_.Mouse(display_->Window(), screen.Right, screen.Bottom);
  drawing_ = MakeGameDrawing(*display_, assets_, input_);
}

void GameSession::LoadEverything() {
  const std::filesystem::path folder = root_.Folder;
  sound_.SoundInit();
  sound_.LoadSounds([&folder](std::string_view fileName) {
    return ResolveResourcePath(folder, SoundName(fileName));
  });
  LoadBitmaps(assets_, game_,
              [folder](std::string_view name) { return ResolveResourcePath(folder, name); });
}

void GameSession::RemoveUnpackedTree() {
  if (treeRemoved_) return;
  treeRemoved_ = true;
  const std::string left = RemoveUnpackedResources(root_);
  if (!left.empty()) std::fprintf(stderr, "vantel: %s\n", left.c_str());
}

void GameSession::FrameLoop() {
  for (long pass = 0; gameRunning_; ++pass) {
    display_->UpdateWindowCursor(game_.flow.GamePaused);
    if (!display_->Minimized() && RunOneFrame()) break;
    if (PumpWindowEvents()) break;  // the window's unload
    if (ports_.AfterLoopPass) ports_.AfterLoopPass(pass);
  }
  EndGame();
}

bool GameSession::RunOneFrame() {
  input_.ReadKeyboard();
  input_.UpdateMouse();
  const bool wasPaused = game_.flow.GamePaused;
  const bool end = RunFrame(game_, TakeSnapshot(input_), *drawing_);
  if (game_.flow.GamePaused != wasPaused) display_->OnPause(game_.flow.GamePaused);
  return end;
}

bool GameSession::PumpWindowEvents() {
  bool closed = false;
  SDL_Event event;
  while (SDL_PollEvent(&event))
    if (event.type == SDL_QUIT) closed = true;
  return closed;
}

void GameSession::EndGame() {
  gameRunning_ = false;
  ReleaseBitmaps(assets_);
  sound_.ReleaseSounds();
  ReleaseDevices();
}

// The shutdown's releases: the system cursor back, the devices handed back,
// the sound device closed, the display gone.
void GameSession::ReleaseDevices() {
  if (display_) display_->ShowSystemCursor(true);
  input_.UnAcquireMouse();
  input_.UnAcquireKeyBoard();
  sound_.Close();
  drawing_.reset();
  if (display_) display_->Release();
  display_.reset();
}

}  // namespace vantel
