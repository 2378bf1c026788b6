// The choice of the language file: one entry, the automatic choice by the user's
// language, and the chooser.
#include "texts/language_choice.h"

#include <gtest/gtest.h>

namespace {

class FakeChooser : public qv::LanguageChooser {
 public:
  bool chooseLanguage(const std::vector<std::string>& shown, size_t& chosen) override {
    ++calls;
    items = shown;
    if (answer < 0) return false;
    chosen = size_t(answer);
    return true;
  }
  int answer = -1;  // the index to choose; negative: the user closes the window
  int calls = 0;
  std::vector<std::string> items;
};

const uint16_t kGermanSwiss = 0x0807;   // primary language 7
const uint16_t kEnglishUs = 0x0409;     // primary language 9
const uint16_t kNeutralHigh = 0x0200;   // primary number 0 in nine bits

TEST(LanguageChoice, OneEntryOrNoneIsTakenWithoutAsking) {
  FakeChooser chooser;
  qv::LanguageChoice c = qv::chooseLanguageFile("english.lng#9|", kGermanSwiss, chooser);
  EXPECT_EQ(c.fileName, "english.lng");
  EXPECT_EQ(c.primaryLanguage, 0);
  // Two entries but one "|": the first is taken directly.
  c = qv::chooseLanguageFile("english.lng#9|german.lng#7", kGermanSwiss, chooser);
  EXPECT_EQ(c.fileName, "english.lng");
  c = qv::chooseLanguageFile("german.lng#7", kEnglishUs, chooser);
  EXPECT_EQ(c.fileName, "german.lng");
  c = qv::chooseLanguageFile("german.lng", kEnglishUs, chooser);
  EXPECT_EQ(c.fileName, "german.lng");
  c = qv::chooseLanguageFile("", kEnglishUs, chooser);
  EXPECT_EQ(c.fileName, "");
  c = qv::chooseLanguageFile("|", kEnglishUs, chooser);
  EXPECT_EQ(c.fileName, "");
  EXPECT_EQ(chooser.calls, 0);
}

TEST(LanguageChoice, AutomaticChoiceByTheUsersPrimaryLanguage) {
  FakeChooser chooser;
  qv::LanguageChoice c = qv::chooseLanguageFile("english.lng#9|german.lng#7|", kGermanSwiss, chooser);
  EXPECT_EQ(c.fileName, "german.lng");
  EXPECT_EQ(c.primaryLanguage, 7);
  c = qv::chooseLanguageFile("english.lng#9|german.lng#7|", kEnglishUs, chooser);
  EXPECT_EQ(c.fileName, "english.lng");
  // The later of two matches wins.
  c = qv::chooseLanguageFile("de1.lng#7|en.lng#9|de2.lng#7|", kGermanSwiss, chooser);
  EXPECT_EQ(c.fileName, "de2.lng");
  // Numbers in the manner of atoi: blanks, a sign, digits up to the first other character.
  c = qv::chooseLanguageFile("en.lng#9|de.lng# \t+7abc|", kGermanSwiss, chooser);
  EXPECT_EQ(c.fileName, "de.lng");
  // Nine bits of the identifier: 0x0207 gives 7, while 0x0107 keeps its ninth bit (263).
  c = qv::chooseLanguageFile("x.lng#519|y.lng#7|", 0x0207, chooser);
  EXPECT_EQ(c.fileName, "y.lng");
  EXPECT_EQ(c.primaryLanguage, 7);
  c = qv::chooseLanguageFile("x.lng#263|y.lng#7|", 0x0107, chooser);
  EXPECT_EQ(c.fileName, "x.lng");
  EXPECT_EQ(c.primaryLanguage, 263);
  // An entry after the last "|" takes no part.
  chooser.answer = 1;
  c = qv::chooseLanguageFile("en.lng#9|fr.lng#12|de.lng#7", kGermanSwiss, chooser);
  EXPECT_EQ(chooser.items, (std::vector<std::string>{" en", " fr"}));
  EXPECT_EQ(c.fileName, "fr.lng");
  EXPECT_EQ(c.primaryLanguage, 7);
  EXPECT_EQ(chooser.calls, 1);
}

TEST(LanguageChoice, NumbersThatAreMissingOrNotNumericCountAsZero) {
  FakeChooser chooser;
  chooser.answer = 0;
  qv::LanguageChoice c = qv::chooseLanguageFile("en.lng|de.lng#seven|", kGermanSwiss, chooser);
  EXPECT_EQ(chooser.calls, 1);
  EXPECT_EQ(c.fileName, "en.lng");
  // Only a user language with primary number 0 matches them.
  c = qv::chooseLanguageFile("en.lng|de.lng#seven|", kNeutralHigh, chooser);
  EXPECT_EQ(c.fileName, "de.lng");
  EXPECT_EQ(chooser.calls, 1);
  EXPECT_EQ(qv::parseLanguageNumber("-7"), -7);
  EXPECT_EQ(qv::parseLanguageNumber("\n7"), 0);
  EXPECT_EQ(qv::parseLanguageNumber("+"), 0);
  EXPECT_EQ(qv::parseLanguageNumber("99999999999999999999"), 2147483647);
}

TEST(LanguageChoice, ChooserShowsBaseNamesAndMayBeClosed) {
  FakeChooser chooser;
  chooser.answer = 2;
  qv::LanguageChoice c =
      qv::chooseLanguageFile("english.lng#9|german.lng#7|lang\\french.v2.lng#12|", 0x0411, chooser);
  EXPECT_EQ(chooser.items, (std::vector<std::string>{" english", " german", " lang\\french"}));
  EXPECT_EQ(c.fileName, "lang\\french.v2.lng");
  EXPECT_EQ(c.primaryLanguage, 0x11);
  chooser.answer = -1;
  c = qv::chooseLanguageFile("english.lng#9|german.lng#7|", 0x0411, chooser);
  EXPECT_EQ(c.fileName, "");
  EXPECT_EQ(c.primaryLanguage, 0x11);
  // An index the chooser should not give is no choice.
  chooser.answer = 5;
  c = qv::chooseLanguageFile("english.lng#9|german.lng#7|", 0x0411, chooser);
  EXPECT_EQ(c.fileName, "");
  // A match without a file name is no candidate: the user is asked.
  chooser.answer = 1;
  c = qv::chooseLanguageFile("#17|german.lng#7|", 0x0411, chooser);
  EXPECT_EQ(c.fileName, "german.lng");
}

TEST(LanguageChoice, ListParsingAndBaseName) {
  std::vector<qv::LanguageEntry> e = qv::parseLanguageList("a.lng#9|b.lng#x#7||");
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0].fileName, "a.lng");
  EXPECT_EQ(e[0].number, 9);
  EXPECT_EQ(e[1].fileName, "b.lng");
  EXPECT_EQ(e[1].number, 0);
  EXPECT_EQ(e[2].fileName, "");
  EXPECT_EQ(qv::parseLanguageList("solo.lng").size(), 1u);
  EXPECT_TRUE(qv::parseLanguageList("").empty());
  EXPECT_EQ(qv::languageBaseName("german.lng"), "german");
  EXPECT_EQ(qv::languageBaseName("german"), "german");
  EXPECT_EQ(qv::languageBaseName(".lng"), "");
}

}  // namespace
