#include "app/game_session.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>

#include "app/game_drawing.h"
#include "app/match_keeping.h"
#include "app/time_of_day_seed.h"
#include "codec/table_address.h"
#include "flow/computer_seat.h"
#include "flow/deal.h"
#include "flow/flow.h"
#include "flow/flow_state.h"
#include "flow/make_game.h"
#include "flow/run_frame.h"
#include "game/fatal_error.h"
#include "i18n/format.h"
#include "i18n/gettext.h"
#include "online/catch_up.h"
#include "pak/remove_resources.h"
#include "pak/resource_path.h"
#include "platform/input_snapshot.h"
#include "platform/key_codes.h"
#include "ui/startup_timing.h"

namespace vantel {
namespace {

// How long a paused or minimised game sleeps at most between two looks.
constexpr int kIdleWakeMs = 1000;

std::string SoundName(std::string_view file_name) {
  return "res/sounds/" + std::string(file_name);
}

}  // namespace

namespace {

// The options a run plays with: a resumed match's own players, or at a
// network table the seat taken there (the hands are laid out around it).
Options OptionsOfRun(const Options& options, const std::optional<SavedMatch>& resume,
                     const OnlineSeat* online) {
  if (online != nullptr) {
    Options at_table = options;
    at_table.person_seat = static_cast<int16_t>(online->seat);
    return at_table;
  }
  return resume ? PlayedAsSaved(options, *resume) : options;
}

constexpr const char* kTableRoutine = "NetworkTable";
constexpr long kErrorTableLost = 1;
constexpr long kErrorOutOfStep = 2;
constexpr long kErrorTableEnded = 3;

}  // namespace

GameSession::GameSession(const Options& options, ResourceRoot root, AppPorts& ports,
                         StopGuard& stop, const std::optional<SavedMatch>& resume,
                         OnlineSeat* online)
    : ports_(ports),
      stop_(stop),
      root_(std::move(root)),
      chosen_(options),
      resume_(online != nullptr ? std::nullopt : resume),
      online_(online),
      chance_(SeedFromTimeOfDay(std::chrono::system_clock::now())),
      game_(MakeGame(OptionsOfRun(options, resume, online), {chance_, heard_, clock_})) {
  // A match at a network table is not this computer's to count.
  game_.observer = online_ != nullptr ? nullptr : ports_.statistics;
  // An Expert thinks for some milliseconds: never on the frame thread.
  SeatComputers(game_, ComputerSeat::Thinking::kInBackground);
  if (online_ != nullptr) {
    online_->table->Follow(game_);
    game_.aids.people.code = online_->code;
    game_.aids.people.join_link = JoinLinkText(online_->settings.address, online_->code);
    game_.aids.people.waiting = true;
  }
  game_.flow.think_in_background = true;
  // A click made a moment early is the player's choice all the same.
  game_.aids.keep_clicks_in_flight = true;
  // Twelve seconds of dealing every hand is long once the player has seen it.
  game_.aids.hurry_deal_on_press = true;
  // The plays so far are listed on request (Tab, or the pointer on a seat).
  game_.aids.round_view_allowed = true;
  // A press meant for the last card does not skip the hand's score unseen.
  game_.aids.score_page_settles = true;
}

GameSession::~GameSession() {
  ReleaseBitmaps(assets_);
  sound_.ReleaseSounds();
  ReleaseDevices();
  RemoveUnpackedTree();
}

void GameSession::StartGame() {
  // The pictures need no display (they are converted to the back buffer's
  // fixed format), so they load while the window and its renderer are made.
  // Should the display fail, leaving this scope waits for the loader first.
  std::future<void> pictures = std::async(std::launch::async, [this] {
    // SDL keeps data of its own (the error text) for each thread that calls
    // it; a thread SDL did not start must hand that back itself.
    struct SdlThreadData {
      ~SdlThreadData() { SDL_TLSCleanup(); }
    } release;
    LoadPictures();
  });
  SetUpDevices();
  LoadSounds();
  pictures.get();  // a picture that failed to load throws here
  MarkStartupPhase("pictures");
  display_->ResetClipRect();
  if (online_ != nullptr) {
    // Nothing is dealt until the table deals: the flow rests where a hand
    // has ended, and the first deal starts the moment it comes.
    game_.flow.state = FlowState::kEndOfMatch;
  } else if (resume_) {
    ResumeMatch(game_, resume_->match);
  } else {
    NewHand(game_);
  }
  game_running_ = true;
  display_->ShowSystemCursor(false);
  display_->DrawSurface(assets_.background_surface.get(), kWholeSurface, 0, 0, false);
  RemoveUnpackedTree();
  MarkStartupPhase("unpacked files removed");
  FrameLoop();
}

void GameSession::SetUpDevices() {
  const Options& o = game_.options;
  ScreenChoice choice;
  choice.full_screen = ports_.full_screen_this_run.value_or(o.full_screen);
  choice.window_width = o.window_width;
  choice.window_height = o.window_height;
  choice.scaling = o.scaling;
  display_ = std::make_unique<ScreenDisplay>(choice, pace_clock_);
  const Rect& screen = display_->ScreenRect();
  input_.Open(display_->Window(), screen.right, screen.bottom);
  input_.SetPointerMap(
      [display = display_.get()](int32_t x, int32_t y) { return display->WindowToPicture(x, y); });
  drawing_ = MakeGameDrawing(*display_, assets_, input_);
  drawing_->SetShowFrameRate(ports_.show_frame_rate);
  display_->WatchWindowLoss(&GameSession::NoteWindowLost, &stop_);
  MarkStartupPhase("display and input");
}

// Inside Xlib's error handler, possibly: only a note for the loop and the
// watchdog, which ends the game should the loop not get back from the driver.
void GameSession::NoteWindowLost(void* stop) {
  static_cast<StopGuard*>(stop)->NoteWindowLost();
}

void GameSession::LoadSounds() {
  const std::filesystem::path folder = root_.folder;
  sound_.SoundInit();
  if (!sound_.SoundAvailable()) {
    std::fprintf(
        stderr, "vantel: %s\n",
        Format(_("no sound device (%s); playing silently."), sound_.WhySilent().c_str()).c_str());
  }
  sound_.LoadSounds([&folder](std::string_view file_name) {
    return ResolveResourcePath(folder, SoundName(file_name));
  });
  MarkStartupPhase("sound");
}

void GameSession::LoadPictures() {
  const std::filesystem::path folder = root_.folder;
  LoadBitmaps(assets_, game_,
              [folder](std::string_view name) { return ResolveResourcePath(folder, name); });
}

void GameSession::RemoveUnpackedTree() {
  if (tree_removed_) return;
  tree_removed_ = true;
  const std::string left = RemoveUnpackedResources(root_);
  stop_.SetRunFolder({});
  if (!left.empty()) std::fprintf(stderr, "vantel: %s\n", left.c_str());
}

void GameSession::FrameLoop() {
  drawing_->SetSkipUnchanged(true);
  // A signal or a lost window cuts the wait for the next frame short.
  stop_.SetWake([] {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  });
  try {
    for (long pass = 0; game_running_; ++pass) {
      // A window destroyed from outside is never drawn into again: SDL would
      // not notice, and Mesa's software GL would fill a frame of any size.
      window_lost_ = display_->WindowLost();
      if (window_lost_ || stop_.StopRequested()) break;
      WaitForFrame();
      window_lost_ = display_->WindowLost();
      if (window_closed_ || window_lost_) break;  // the window's unload
      display_->UpdateWindowCursor(game_.flow.game_paused);
      if (!display_->Minimized() && RunOneFrame()) break;
      if (pass == 0) MarkStartupPhase("first frame presented");
      if (ports_.after_loop_pass) ports_.after_loop_pass(pass);
    }
  } catch (const FatalError&) {
    // The game ends with a box; what the player had is kept all the same.
    KeepWhatThePlayerHad();
    throw;
  }
  EndGame();
}

void GameSession::WaitForFrame() {
  answer_now_ = false;
  if (game_.flow.game_paused || display_->Minimized()) {
    // Nothing moves and nothing is drawn: sleep until the player does something.
    HandleEvents(kIdleWakeMs);
    return;
  }
  for (double ms = limiter_.MsToNextFrame(); ms > 0 && !answer_now_ && !window_closed_;
       ms = limiter_.MsToNextFrame()) {
    HandleEvents(static_cast<int>(std::ceil(ms)));
  }
  limiter_.StartFrame();
}

void GameSession::HandleEvents(int timeout_ms) {
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, timeout_ms) == 0) return;
  HandleEvent(event);
  while (SDL_PollEvent(&event)) HandleEvent(event);
}

// The keys and buttons themselves are latched by the input devices as SDL
// queues them; here only what the loop must act on.
void GameSession::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: window_closed_ = true; break;
    case SDL_KEYDOWN: {
      const SDL_Keycode key = event.key.keysym.sym;
      if (key == SDLK_ESCAPE || key == SDLK_p) answer_now_ = true;
      if ((key == SDLK_F11 || IsWindowModeShortcut(event.key.keysym)) && event.key.repeat == 0) {
        display_->ToggleFullScreen();
        drawing_->ForceRedraw();
      }
      if (key == SDLK_c && (event.key.keysym.mod & KMOD_CTRL) != 0 && event.key.repeat == 0) {
        CopyJoinLink();
      }
      break;
    }
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
          event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
          event.window.event == SDL_WINDOWEVENT_RESTORED) {
        display_->Refresh();
      }
      break;
    default: break;
  }
}

bool GameSession::RunOneFrame() {
  input_.ReadKeyboard();
  input_.UpdateMouse();
  const bool was_paused = game_.flow.game_paused;
  InputSnapshot input = TakeSnapshot(input_);
  // Leaving part-way asks first when the match can be kept; a decided match,
  // or none yet, just ends.
  const MatchState& match = game_.match;
  leave_.Filter(input, online_ == nullptr && !ports_.saved_match_file.empty() &&
                           match.phase != HandPhase::kNotDealt && !match.MatchDecided());
  game_.aids.asking_to_leave = leave_.Asking();
  // A frozen table is not drawn again: the question thaws it to be seen.
  if (leave_.Asking()) game_.flow.game_paused = false;
  if (online_ != nullptr) {
    HearFromTable();
    ReadGiveSeatKey(input);
  }
  bool end = RunFrame(game_, input, *drawing_);
  if (online_ != nullptr) end = TellTable() || end;
  if (game_.flow.game_paused != was_paused) display_->OnPause(game_.flow.game_paused);
  return end;
}

void GameSession::HearFromTable() {
  if (rejoin_ && !TakeSeatBack()) return;
  for (const std::string& text : online_->connection->TakeReceived()) {
    online_->table->Receive(text);
  }
  OnlineTable& table = *online_->table;
  table.BeforeFrame();
  TablePeople& people = game_.aids.people;
  if (const std::optional<SeatsReport>& seats = table.Seats()) {
    for (int seat = 0; seat < kSeats; ++seat) {
      const SeatInfo& info = seats->seats[static_cast<std::size_t>(seat)];
      const bool person = info.presence == SeatPresence::kHere ||
                          info.presence == SeatPresence::kAway ||
                          info.presence == SeatPresence::kStandIn;
      people.names[static_cast<std::size_t>(seat)] =
          person && seat != PersonSeat(game_) ? info.name : std::string();
      people.away[static_cast<std::size_t>(seat)] = info.presence == SeatPresence::kAway;
    }
    people.host = seats->host_seat == PersonSeat(game_);
  }
  if (game_.match.phase != HandPhase::kNotDealt) people.waiting = false;
}

bool GameSession::TakeSeatBack() {
  const TableRejoin::Progress progress = rejoin_->Poll(std::chrono::steady_clock::now());
  if (progress == TableRejoin::Progress::kGivenUp) {
    throw FatalError(
        kTableRoutine, kErrorTableLost,
        Format(_("The connection to the table was lost: %s"), rejoin_->Problem().c_str()));
  }
  if (progress == TableRejoin::Progress::kTrying) return false;
  rejoin_->MoveInto(*online_);
  rejoin_.reset();
  game_.aids.people.rejoining = false;
  online_->table->Follow(game_);
  heard_.Turn(false);
  FrameHooks unseen;
  const std::string problem = CatchUp(*online_->table, game_, unseen, [this] {
    clock_.Skip(static_cast<uint32_t>(std::lround(FrameLimiter::kPeriodMs)));
  });
  heard_.Turn(true);
  drawing_->ForceRedraw();
  if (!problem.empty()) {
    throw FatalError(kTableRoutine, kErrorOutOfStep, OutOfStepText(problem));
  }
  return true;
}

void GameSession::ReadGiveSeatKey(const InputSnapshot& input) {
  const bool down = input.KeyDown(kKeyC);
  if (down && !give_seat_key_held_) online_->table->GiveAwaySeatToComputer();
  give_seat_key_held_ = down;
}

void GameSession::CopyJoinLink() {
  TablePeople& people = game_.aids.people;
  if (online_ == nullptr || !people.waiting || people.join_link.empty()) return;
  if (SDL_SetClipboardText(people.join_link.c_str()) == 0) {
    people.link_copy = TablePeople::LinkCopy::kCopied;
  } else {
    people.link_copy = TablePeople::LinkCopy::kFailed;
    std::fprintf(stderr, "vantel: %s: %s\n", _("cannot copy the join link"), SDL_GetError());
  }
}

bool GameSession::TellTable() {
  OnlineTable& table = *online_->table;
  TableConnection& connection = *online_->connection;
  for (std::string& text : table.TakeOutgoing()) connection.Send(std::move(text));
  // What came before the close may say why it closed (a table that ended).
  const bool closed = connection.CurrentStatus() == TableConnection::Status::kClosed;
  if (closed && !rejoin_) {
    for (const std::string& text : connection.TakeReceived()) table.Receive(text);
  }
  if (table.OutOfStep()) {
    throw FatalError(kTableRoutine, kErrorOutOfStep, OutOfStepText(table.OutOfStepReason()));
  }
  if (const std::optional<TableEnd> ended = table.Ended()) {
    // The match's end is shown as offline: the table has ended, the game
    // ends once the person has seen the last score and clicked on.
    if (*ended == TableEnd::kMatchOver) {
      return game_.flow.state == FlowState::kEndOfMatch && game_.deal.next_hand_wanted &&
             !table.HandWaiting();
    }
    if (*ended == TableEnd::kLeft) return true;
    throw FatalError(kTableRoutine, kErrorTableEnded,
                     *ended == TableEnd::kReplaced
                         ? _("This seat was taken up on another connection.")
                         : _("The server closed the table."));
  }
  if (closed && !rejoin_) {
    // The seat is kept a while at the table: the game takes it back.
    rejoin_ = std::make_unique<TableRejoin>(*online_, std::chrono::steady_clock::now());
    game_.aids.people.rejoining = true;
  }
  return false;
}

void GameSession::EndGame() {
  if (online_ != nullptr) {
    // Leaving gives the seat to the table's computer at once, rather than
    // after the grace kept for a lost connection.
    online_->connection->Send(ClientMessageToText(LeaveMessage{}));
    online_->connection->Close();
  }
  game_running_ = false;
  // Closing the window ends the game as Escape does: whatever a worker is
  // still thinking goes nowhere, and nothing waits for it.
  StopThinking(game_);
  // Still looking: the watchdog gives the saving below its time.
  stop_.SetWake([] {});
  KeepWhatThePlayerHad();
  if (display_ && ports_.save_settings) {
    // The window's last size is remembered; the rest was saved with Play.
    Options kept = PlayersChoices(game_.options, chosen_);
    const WindowSize size = display_->WindowedSize();
    kept.window_width = size.width;
    kept.window_height = size.height;
    ports_.save_settings(kept);
  }
  ReleaseBitmaps(assets_);
  sound_.ReleaseSounds();
  ReleaseDevices();
}

void GameSession::KeepWhatThePlayerHad() {
  StopThinking(game_);
  if (online_ != nullptr) return;  // the table keeps its match
  if (ports_.statistics != nullptr) ports_.statistics->SaveIfChanged();
  KeepMatchInProgress(ports_, game_);
}

// The shutdown's releases: the system cursor back, the devices handed back,
// the sound device closed, the display gone.
void GameSession::ReleaseDevices() {
  if (display_) window_lost_ = window_lost_ || display_->WindowLost();
  if (display_ && !window_lost_) display_->ShowSystemCursor(true);
  input_.Close();
  sound_.Close();
  drawing_.reset();
  if (display_) display_->Release();  // a lost window is let go, not destroyed
  display_.reset();
}

}  // namespace vantel
