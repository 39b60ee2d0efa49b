#pragma once

namespace vantel {

// The fixed texts of the options dialog.
inline constexpr const char* kDialogTitle = "Vantel";
inline constexpr const char* kStartCaption = "Play";
inline constexpr const char* kExitCaption = "Exit";
inline constexpr const char* kRequirementText = "Requires SDL 2.0 or higher";

inline constexpr const char* kBrescianeOption = "Bresciane pattern cards [800x600 resolution]";
inline constexpr const char* kTrevigianeOption = "Trevigiane pattern cards [800x600 resolution]";
inline constexpr const char* kDeckDescription = " Latin suited deck (Northern Italian pattern).";

inline constexpr const char* kKeyHelpR =
    "Pressing the key R after the deal, it gets your cards re-ordered.";
inline constexpr const char* kKeyHelpHint =
    "Press H during your turn to see what the Expert player would play: its card is framed, and so "
    "are the table cards it would take.";
inline constexpr const char* kKeyHelpEscape = "Use the ESCAPE key to exit the game.";
inline constexpr const char* kKeyHelpP =
    "Pressing the key P at any time pauses the game. Press again to resume.";
extern const char* const kKeyHelpMouse;

extern const char* const kRulesText;
inline constexpr const char* kRulesLinkText = "Vantel rules on the web";
inline constexpr const char* kBrowserMessage =
    "Please use your installed Web browser to view this page.";

extern const char* const kCreditsText;

inline constexpr const char* kTwelveCardOption = "12-card hand";
inline constexpr const char* kTwelveCardNote =
    "Standard Vantel game, with twelve cards dealt on the hand.";
inline constexpr const char* kSixCardOption = "6-card hand";
inline constexpr const char* kSixCardNote =
    "Variant in which six cards are dealt on hand, in two rounds.";
inline constexpr const char* kSlowAnimationOption = "Slow animation";
inline constexpr const char* kSlowAnimationNote =
    "Click for slower card animation. Useful when learning the game or in faster computers.";

inline constexpr const char* kWindowedOption = "Play in a window";
inline constexpr const char* kWindowedNote =
    "Clear: the game fills the screen. F11 or Alt+Enter switches at any moment.";
inline constexpr const char* kScalingLabel = "Picture scaling:";
inline constexpr const char* kAutomaticScalingOption = "Automatic";
inline constexpr const char* kSharpScalingOption = "Sharp pixels";
inline constexpr const char* kSmoothScalingOption = "Smooth";
inline constexpr const char* kScalingNote =
    "Automatic: sharp pixels when the screen holds the picture two or more times over, "
    "smooth otherwise.";
inline constexpr const char* kKeyHelpFullScreen =
    "F11 or Alt+Enter switches between a window and the full screen at any moment.";

}  // namespace vantel
