#include <gtest/gtest.h>

#include <string>

#include "app/fatal_message.h"
#include "i18n/localisation.h"
#include "italian_catalogue.h"

namespace vantel {
namespace {

TEST(LanguageOfHeaderTest, ReadsTheLanguageField) {
  EXPECT_EQ(LanguageOfHeader("Project-Id-Version: vantel 2.0.0\nLanguage: it\nMIME-Version: 1.0\n"),
            "it");
  EXPECT_EQ(LanguageOfHeader("Language:   pt_BR \r\n"), "pt_BR");
  EXPECT_EQ(LanguageOfHeader("Language: de"), "de");  // the last line needs no newline
  // Only a field at the start of a line counts.
  EXPECT_EQ(LanguageOfHeader("Language-Team: Italian\nX-Note: Language: fr\n"), "");
  EXPECT_EQ(LanguageOfHeader(""), "");
}

// The box for every failure the game can meet, in English: the words the
// game has always shown, line breaks and trailing space included.
TEST(FatalMessageTest, EnglishIsTheErrorsOwnText) {
  EXPECT_EQ(MessagesLanguage(), "");
  const FatalError errors[] = {
      {"DirectX", 3, "No available video device"},
      {"clsDXBitmapFont.CreateSpriteFromFile", 53, "File not found: res/x.bmp"},
      {"LoadSound", -1, ""},
  };
  for (const FatalError& error : errors) EXPECT_EQ(FatalMessageText(error), error.what());
  EXPECT_EQ(FatalMessageText(errors[0]),
            "Error in function DirectX() \r\nError Number: 3\r\nNo available video device");
}

class ItalianMessagesTest : public test::ItalianCatalogueTest {};

TEST_F(ItalianMessagesTest, CatalogueNamesItsLanguage) {
  EXPECT_EQ(MessagesLanguage(), "it");
}

TEST_F(ItalianMessagesTest, FatalBoxKeepsItsShapeInItalian) {
  const FatalError error("GiveMeInput", 7, "Out of memory");
  EXPECT_EQ(FatalMessageText(error),
            "Errore nella funzione GiveMeInput() \r\nNumero dell'errore: 7\r\nOut of memory");
  // The error itself stays English: it is what the logs and the tests see.
  EXPECT_EQ(std::string(error.what()).rfind("Error in function GiveMeInput() ", 0), 0u);
}

}  // namespace
}  // namespace vantel
