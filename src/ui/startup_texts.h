#pragma once

#include "i18n/gettext.h"

namespace vantel {

// The fixed texts of the options dialog, marked for translation: use them
// through _().
inline constexpr const char* kDialogTitle = "Vantel";
inline constexpr const char* kStartCaption = N_("Play");
inline constexpr const char* kExitCaption = N_("Exit");
inline constexpr const char* kStartHintText = N_("Return or Play starts the game");

inline constexpr const char* kBrescianeOption = N_("Bresciane cards");
inline constexpr const char* kTrevigianeOption = N_("Trevigiane cards");
inline constexpr const char* kBrescianeDescription =
    N_("Cream cards with a red border, gold court panels and a red back with a gold lattice.");
inline constexpr const char* kTrevigianeDescription =
    N_("White cards with a blue border, blue cups and green coins, and a plain blue back.");

inline constexpr const char* kKeyHelpR =
    N_("R sorts your cards by value, if you press it before you play the first card of a deal.");
inline constexpr const char* kKeyHelpHint =
    N_("Press H during your turn to see what the Expert player would play: its card is framed, "
       "and so are the table cards it would take.");
inline constexpr const char* kKeyHelpEscape = N_("Escape ends the game.");
inline constexpr const char* kKeyHelpRound =
    N_("Hold Tab, or rest the pointer on another player's name or plate, to see the plays of the "
       "round so far: who laid which card and what it took. The previous player's card is marked "
       "in amber.");
inline constexpr const char* kKeyHelpP =
    N_("P pauses the game at any moment; press it again to resume.");
extern const char* const kKeyHelpMouse;
extern const char* const kKeyHelpPlayKeys;
extern const char* const kKeyHelpCaptureKeys;
inline constexpr const char* kKeyHelpContinue =
    N_("After a hand, click or press Return or Space for the next one.");

extern const char* const kRulesText;
inline constexpr const char* kRulesLinkText = N_("Vantel rules on the web");
inline constexpr const char* kBrowserMessage =
    N_("Please use your installed Web browser to view this page.");

extern const char* const kCreditsText;

inline constexpr const char* kTwelveCardOption = N_("12-card hand");
inline constexpr const char* kTwelveCardNote =
    N_("The usual game: twelve cards each, dealt all at once.");
inline constexpr const char* kSixCardOption = N_("6-card hand");
inline constexpr const char* kSixCardNote = N_("Six cards each, dealt twice in every hand.");
inline constexpr const char* kSlowAnimationOption = N_("Slow animation");
inline constexpr const char* kSlowAnimationNote =
    N_("The cards move more slowly, which makes a play easier to follow while you learn.");

inline constexpr const char* kPaceLabel = N_("Computer players:");
inline constexpr const char* kNormalPaceOption = N_("Normal");
inline constexpr const char* kUnhurriedPaceOption = N_("Unhurried");
inline constexpr const char* kPaceNote =
    N_("Unhurried: a computer player's card waits a moment longer before it moves, so you can "
       "watch each play.");

inline constexpr const char* kWindowedOption = N_("Play in a window");
inline constexpr const char* kWindowedNote =
    N_("Clear: the game fills the screen. F11 or Alt+Enter switches at any moment.");
inline constexpr const char* kScalingLabel = N_("Picture scaling:");
inline constexpr const char* kAutomaticScalingOption = N_("Automatic");
inline constexpr const char* kSharpScalingOption = N_("Sharp pixels");
inline constexpr const char* kSmoothScalingOption = N_("Smooth");
inline constexpr const char* kScalingNote =
    N_("Automatic: sharp pixels when the screen holds the picture two or more times over, "
       "smooth otherwise.");
inline constexpr const char* kKeyHelpFullScreen =
    N_("F11 or Alt+Enter switches between a window and the full screen at any moment.");

}  // namespace vantel
