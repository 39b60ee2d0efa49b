#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <SDL_events.h>

#include "app/app_ports.h"
#include "app/game_drawing.h"
#include "app/leave_question.h"
#include "app/online_start.h"
#include "app/stop_guard.h"
#include "app/table_rejoin.h"
#include "flow/game.h"
#include "flow/observer.h"
#include "gfx/assets.h"
#include "gfx/frame_limiter.h"
#include "gfx/screen_display.h"
#include "pak/resource_root.h"
#include "platform/sdl_clock.h"
#include "platform/sdl_input.h"
#include "platform/sdl_sound.h"

namespace vantel {

// One run of the game from the display's set-up to its end: owns the game
// state, the display, the devices and every loaded picture and sound. Whatever
// is still held when it goes is released in the shutdown's order, so a fatal
// error part-way through the start leaves nothing behind.
class GameSession {
 public:
  // Seeds the game's one generator from the time of day. stop holds the
  // signals and the lost window the frame loop answers.
  // With `resume`, the match kept last time goes on, with its own players.
  // With `online`, the game follows that table instead: its person plays the
  // seat taken there, and nothing of the match is kept or counted here.
  GameSession(const Options& options, ResourceRoot root, AppPorts& ports, StopGuard& stop,
              const std::optional<SavedMatch>& resume = std::nullopt, OnlineSeat* online = nullptr);
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;
  ~GameSession();

  // Sets everything up and runs the frame loop until the game ends (Escape,
  // closing the window, a signal, the window destroyed by another program).
  // Throws FatalError when the set-up or a load fails.
  void StartGame();
  // The game ended because its window was destroyed from outside: nothing
  // of the display was handed back, and SDL's video must not be shut down.
  bool WindowLost() const { return window_lost_; }

 private:
  void SetUpDevices();
  void LoadSounds();
  void LoadPictures();  // runs beside SetUpDevices, on a thread of its own
  void RemoveUnpackedTree();
  void FrameLoop();
  // Sleeps on the window system's events until the next frame is due: the
  // next 60 Hz deadline while the game runs, any event while it is paused or
  // minimised. Presses of Escape and P cut the wait short.
  void WaitForFrame();
  // Waits at most timeout_ms for events and handles all that came.
  void HandleEvents(int timeout_ms);
  void HandleEvent(const SDL_Event& event);
  // One frame; true when the player asked to end.
  bool RunOneFrame();
  // Network play, around each frame: what the table said before it, what the
  // person did after it. True when the game at this table is over.
  void HearFromTable();
  bool TellTable();
  // While the connection is lost: tries to take the seat back, and once back
  // plays the hand so far out to where the table is. True when the seat is
  // held again; throws FatalError when it cannot be.
  bool TakeSeatBack();
  // C, for the host: the computer plays the seat of the person away on turn.
  void ReadGiveSeatKey(const InputSnapshot& input);
  // Ctrl+C while the table waits for its people: the join link to the clipboard.
  void CopyJoinLink();
  void EndGame();
  // The hands counted and the match in progress, written for the next start.
  void KeepWhatThePlayerHad();
  void ReleaseDevices();
  static void NoteWindowLost(void* stop);

  AppPorts& ports_;
  StopGuard& stop_;
  ResourceRoot root_;
  Options chosen_;  // the player's settings, before a resumed match's own
  std::optional<SavedMatch> resume_;
  OnlineSeat* online_;  // not owned; none offline
  bool tree_removed_ = false;
  Chance chance_;
  SdlTickClock ticks_;
  // A network hand taken up again is played out unseen and unheard: the
  // game's clock runs ahead by that time, and its sounds are held back.
  SkippingClock clock_{ticks_};
  SdlSound sound_;
  SoundSwitch heard_{sound_};
  SdlPaceClock pace_clock_;
  Game game_;
  InputDevices input_;
  std::unique_ptr<ScreenDisplay> display_;
  Assets assets_;
  std::unique_ptr<FrameDrawing> drawing_;
  FrameLimiter limiter_{pace_clock_};
  bool game_running_ = false;
  bool window_closed_ = false;
  bool window_lost_ = false;
  bool answer_now_ = false;
  bool give_seat_key_held_ = false;
  LeaveQuestion leave_;
  std::unique_ptr<TableRejoin> rejoin_;  // while the connection is lost
};

}  // namespace vantel
