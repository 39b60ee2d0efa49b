#pragma once

namespace vantel {

// The fixed texts of the options dialog.
inline constexpr const char* kDialogTitle = "Vantel";
inline constexpr const char* kStartCaption = "Play";
inline constexpr const char* kExitCaption = "Exit";
inline constexpr const char* kRequirementText = "Requires SDL 2.0 or higher";

inline constexpr const char* kBrescianeOption = "Bresciane pattern cards [800x600 resolution]";
inline constexpr const char* kTrevigianeOption = "Trevigiane pattern cards [800x600 resolution]";
inline constexpr const char* kBrescianeDescription =
    "Cream cards with a red border, gold court panels and a red back with a gold lattice.";
inline constexpr const char* kTrevigianeDescription =
    "White cards with a blue border, blue cups and green coins, and a plain blue back.";

inline constexpr const char* kKeyHelpR =
    "R sorts your cards by value, if you press it before you play the first card of a deal.";
inline constexpr const char* kKeyHelpEscape = "Escape ends the game.";
inline constexpr const char* kKeyHelpP =
    "P pauses the game at any moment; press it again to resume.";
extern const char* const kKeyHelpMouse;
extern const char* const kKeyHelpPlayKeys;
extern const char* const kKeyHelpCaptureKeys;
inline constexpr const char* kKeyHelpContinue =
    "After a hand, click or press Return or Space for the next one.";

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
