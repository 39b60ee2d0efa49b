#include "ui/startup_texts.h"

namespace vantel {

const char* const kKeyHelpMouse =
    N_("Use mouse left button click to drop a card from your hand when it is your turn. "
       "If the card can take cards from the table, left-click the table cards you want to "
       "take; the capture happens as soon as their values add up to your card. A right-click "
       "on a selected table card deselects it, and a right-click on the card you have just "
       "dropped ends your turn without capturing. A card that cannot capture anything passes "
       "the turn automatically. While you choose, the table cards your card can take are "
       "outlined in gold; a click on a card that cannot be part of the capture is refused.");

const char* const kKeyHelpPlayKeys =
    N_("Playing by keys: on your turn, Left and Right choose a card of your hand (or 1 to 9, "
       "0, - and = for the twelve places, left to right), and Return plays it.");

const char* const kKeyHelpCaptureKeys =
    N_("When your card can take cards, Left and Right move among the table cards it can take, "
       "Space picks the chosen card or puts it back, Return picks it (the capture happens as "
       "soon as the cards add up; when only one set of cards can be taken, Return takes it "
       "at once), and Backspace takes nothing.");

const char* const kRulesText =
    N_("THE PLAYERS\n"
       "Four players in two partnerships: you and your partner, who sits opposite you (We), "
       "against the two players on your left and right (They). The pack has 52 cards in four "
       "Latin suits: cups, coins, swords and clubs (batons), ace to king in each. Each "
       "hand, every player gets twelve cards (or, in the 6-card variant, six cards in two "
       "deals) and four cards are laid face up on the table. Players take turns to the right "
       "(anticlockwise), one card each: after you comes the opponent on your right.\n\n"
       "CAPTURING\n"
       "The card you play may take a table card of the same value (ace 1, numbers 2 to 10, "
       "jack 11, queen 12, king 13), or a set of table cards whose values add up to its value. "
       "Only a card of value 2 to 10 takes a sum, of two, three or four table cards; in a sum "
       "an ace counts 1, so a three may take an ace and a two. The played card and the cards "
       "it takes go to your side's pile. A card that takes nothing stays on the table.\n\n"
       "SPECIAL CAPTURES (1 point each, scored at once)\n"
       "Scua: you take every card on the table.\n"
       "Picada: you take, on its own, the card the previous player has just put down without "
       "capturing.\n"
       "Simili: every card you take is of the same suit as the card you play.\n"
       "Quadriglia: you take three or more cards at once.\n"
       "One play can earn several of them together.\n\n"
       "END OF THE HAND\n"
       "Cards still on the table go to the side that captured last. Then each side scores:\n"
       "Cards: 1 point for taking more cards than the other side (26 each scores nothing).\n"
       "Clubs: 1 point for taking more cards of the clubs (batons) suit; equal counts score "
       "nothing.\n"
       "2-10-J: 1 point each for the two of clubs, the ten of coins and the jack of swords.\n"
       "Napula: when your side has taken the ace, two and three of cups during the hand, it "
       "scores 3, and the run goes on as far as the cups taken follow without a gap: ace to "
       "five scores 5, ace to king 13.\n"
       "Special captures of the hand add their points too.\n\n"
       "WINNING\n"
       "Hand points are added to the match totals. The first side above 50 points, with more "
       "points than the other side, wins the match. If both sides pass 50 with equal totals, "
       "play goes on until one side is ahead.");

const char* const kCreditsText =
    N_("Vantel was written by its own small team as a free card game for Linux.\n\n"
       "Thanks to everyone who keeps the old card games of the Italian countryside alive at "
       "café tables, and to the people behind SDL, SDL_image, SDL_mixer, GTK and Cairo, on "
       "which this game is built.\n\n"
       "The card pictures, sounds and fonts are the game's own, drawn and synthesised when "
       "the game is built.");

}  // namespace vantel
