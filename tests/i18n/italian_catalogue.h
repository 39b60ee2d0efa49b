#pragma once

#include <gtest/gtest.h>
#include <libintl.h>

#include <clocale>
#include <cstdlib>

#include "i18n/gettext.h"  // VANTEL_TEXT_DOMAIN

namespace vantel::test {

// Tests that read the messages as an Italian player does, from the catalogue
// the build compiles; English again after the suite.
class ItalianCatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("LANGUAGE", "it", 1);
    std::setlocale(LC_MESSAGES, "C.UTF-8");
    bindtextdomain(VANTEL_TEXT_DOMAIN, VANTEL_TEST_LOCALE_DIR);
    // As the programs do: the catalogue answers in UTF-8 whatever the locale.
    bind_textdomain_codeset(VANTEL_TEXT_DOMAIN, "UTF-8");
  }
  static void TearDownTestSuite() {
    unsetenv("LANGUAGE");
    std::setlocale(LC_MESSAGES, "C");
  }
};

}  // namespace vantel::test
