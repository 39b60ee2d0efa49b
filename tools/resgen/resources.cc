#include "resources.h"

#include <string>

#include "cards.h"
#include "game/cards.h"
#include "game/sound.h"
#include "glyph_sheet.h"
#include "image_codec.h"
#include "scenery.h"
#include "sound_synth.h"
#include "wav.h"

namespace vantel {
namespace {

constexpr int kJpegQuality = 92;

// The score page's heading is painted, not set in the glyph sheets, so each
// language with a catalogue gets a page of its own; the game picks it by the
// language of its messages (Scorepage_800x600_<language>.bmp).
struct PageHeading {
  const char* language;
  const char* text;
};
constexpr PageHeading kTranslatedHeadings[] = {{"it", "Punti"}};

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

void AddDeck(std::vector<PakFile>& out, const DeckStyle& deck, const FontSet& fonts) {
  for (int id = 0; id < kCardCount; ++id) {
    const Card& card = kCards[id];
    out.push_back(
        {deck.prefix + CardPictureName(id),
         EncodeBmp(DrawCardFace(deck, fonts, card.value, SuitOfFileLetter(card.suit_letter)))});
  }
  out.push_back({deck.prefix + "S_cardback.bmp", EncodeBmp(DrawCardBack(deck))});
  out.push_back({deck.prefix + "FrameBlue.bmp", EncodeBmp(DrawPickFrame(deck))});
}

void AddBitmaps(std::vector<PakFile>& out, const FontSet& fonts) {
  out.push_back({"Bitmaps_Back_800x600.jpg", EncodeJpeg(DrawTableCloth(), kJpegQuality)});
  out.push_back({"Bitmaps_Scorepage_800x600.bmp", EncodeBmp(DrawScorePage(fonts, "Score"))});
  for (const PageHeading& heading : kTranslatedHeadings) {
    out.push_back({"Bitmaps_Scorepage_800x600_" + std::string(heading.language) + ".bmp",
                   EncodeBmp(DrawScorePage(fonts, heading.text))});
  }
  out.push_back({"Bitmaps_line_horz.bmp", EncodeBmp(DrawHorizontalRule())});
  out.push_back({"Bitmaps_line_vert.bmp", EncodeBmp(DrawVerticalRule())});
  out.push_back({"Bitmaps_mouse.bmp", EncodeBmp(DrawPointer())});
}

void AddFonts(std::vector<PakFile>& out, const FontSet& fonts) {
  out.push_back(
      {"fntFonts_fntHandParker.bmp", EncodeBmp(DrawGlyphSheet(fonts, HandwritingGlyphs()))});
  out.push_back({"fntFonts_fntDigit.bmp", EncodeBmp(DrawGlyphSheet(fonts, DigitGlyphs()))});
  out.push_back({"fntFonts_fntDeluxe.bmp", EncodeBmp(DrawGlyphSheet(fonts, DeluxeGlyphs()))});
}

void AddSounds(std::vector<PakFile>& out) {
  for (SoundId id : kSoundLoadOrder) {
    out.push_back({"Sounds_" + std::string(SoundFileName(id)), EncodeWav(SynthesiseSound(id))});
  }
}

}  // namespace

std::vector<PakFile> BuildResources(const FontSet& fonts) {
  std::vector<PakFile> out;
  out.push_back({"dummy65", Bytes("vantel resources, archive 65\n")});
  AddFonts(out, fonts);
  AddSounds(out);
  AddBitmaps(out, fonts);
  AddDeck(out, TrevigianoDeck(), fonts);
  AddDeck(out, RoyalDeck(), fonts);
  out.push_back({"dummy2_", Bytes("end of the vantel resources\n")});
  return out;
}

}  // namespace vantel
