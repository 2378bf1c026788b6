// The interface-text table: its defaults, the composition with title and version,
// the reading of a language file and the texts as they are shown.
#include "texts/interface_texts.h"

#include <gtest/gtest.h>

#include <set>

#include "runtime/file.h"
#include "support/scratch_folder.h"

namespace {

using qv::InterfaceTexts;
using qv::TextId;
using qvtest::ScratchFolder;

std::string writeFile(const ScratchFolder& dir, const std::string& name, const std::string& text) {
  std::string path = dir / name;
  EXPECT_TRUE(qv::writeWholeFile(path, text.data(), text.size()));
  return path;
}

TEST(InterfaceTexts, TableHoldsSeventyEightTextsInGroupOrder) {
  EXPECT_EQ(qv::kTextCount, 78u);
  const char* order[] = {"Install", "Page01",    "Page02",     "Page03",    "Page04",  "Page05",
                         "Requester", "FileVersion", "LoginAdmin", "StartMenu", "Buttons", "Uninstaller"};
  size_t group = 0;
  std::set<std::string> names;
  for (size_t i = 0; i < qv::kTextCount; ++i) {
    const qv::TextEntry& e = qv::textEntry(TextId(i));
    if (std::string(e.group) != order[group]) {
      ++group;
      ASSERT_LT(group, 12u);
      EXPECT_EQ(std::string(e.group), order[group]) << e.key;
    }
    EXPECT_TRUE(names.insert(std::string(e.group) + "/" + e.key).second) << e.group << "/" << e.key;
  }
  EXPECT_EQ(group, 11u);
  EXPECT_STREQ(qv::textEntry(TextId::Rq6Titel).key, "RQ6_Titel");
  EXPECT_STREQ(qv::textEntry(TextId::ButtonFinish).key, "Finish");
  EXPECT_STREQ(qv::textEntry(TextId::UninstallerOk).key, "OK");
  // Each group's first and last text, where a miscounted group would shift them.
  EXPECT_STREQ(qv::textEntry(TextId::InstallUninstall).group, "Install");
  EXPECT_STREQ(qv::textEntry(TextId::Page01Titel).group, "Page01");
  EXPECT_STREQ(qv::textEntry(TextId::StartMenuIUpdater).group, "StartMenu");
  EXPECT_STREQ(qv::textEntry(TextId::ButtonLogin).group, "Buttons");
  EXPECT_STREQ(qv::textEntry(TextId::Page01CopyRight).defaultText, "");
  EXPECT_STREQ(qv::textEntry(TextId::UninstallerReady).key, "Ready");
  EXPECT_STREQ(qv::textEntry(TextId::UninstallerReady).defaultText, "Ready");
}

TEST(InterfaceTexts, DefaultsHoldFromTheStart) {
  InterfaceTexts texts;
  EXPECT_EQ(texts.text(TextId::Rq6Titel), "Error - Copy File");
  EXPECT_EQ(texts.text(TextId::Rq6Msg), "Copying file(s) failed.");
  EXPECT_EQ(texts.text(TextId::ButtonFinish), "Exit");
  EXPECT_EQ(texts.text(TextId::Page05Install), "Install Program '--- unkown ---'");
  EXPECT_EQ(texts.text(TextId::Page01Titel), "Welcome to the installation of\n'--- unkown ---'");
  EXPECT_EQ(texts.text(TextId::UninstallerMsg), "Program files And registry entries will be removed.");
}

TEST(InterfaceTexts, MissingFileComposesDefaultsWithTitleAndVersion) {
  ScratchFolder dir;
  InterfaceTexts texts;
  // An empty file name points at the folder itself.
  texts.loadInterfaceTexts(dir.path(), "Acme Tool", "2.1");
  EXPECT_EQ(texts.text(TextId::Page01Titel), "Welcome to the installation of\n'Acme Tool'");
  EXPECT_EQ(texts.text(TextId::Page01Msg1), "Quarvel will now install 'Acme Tool' version 2.1 on your computer.");
  EXPECT_EQ(texts.text(TextId::Page05Titel1), "Installation of\n'Acme Tool'");
  EXPECT_EQ(texts.text(TextId::Page05Install), "Install Program 'Acme Tool'");
  EXPECT_EQ(texts.text(TextId::Rq4Msg), "Close Program 'Acme Tool' first!");
  EXPECT_EQ(texts.text(TextId::Page01CopyRight), "");
  // An empty version leaves two blanks between "version" and "on".
  texts.loadInterfaceTexts(dir / "none.lng", "Acme", "");
  EXPECT_EQ(texts.text(TextId::Page01Msg1), "Quarvel will now install 'Acme' version  on your computer.");
  // A title of its own "|" breaks the heading as well.
  texts.loadInterfaceTexts(dir / "none.lng", "A|B", "");
  EXPECT_EQ(texts.text(TextId::Page05Titel1), "Installation of\n'A\nB'");
  EXPECT_EQ(texts.text(TextId::Page05Install), "Install Program 'A|B'");
}

TEST(InterfaceTexts, LanguageFileValuesReplaceDefaults) {
  ScratchFolder dir;
  std::string path = writeFile(dir, "german.lng",
                               "[page01]\r\ntitel = Eins|$Titel|Drei\r\nMsg2 = Weiter mit 'Weiter'.\r\n"
                               "[Buttons]\r\nNEXT = Weiter\r\nBack =\r\nCancel =   Abbrechen  \r\n"
                               "[Requester]\r\nRQ4_Msg = Bitte '$Titel' schliessen ($Titel)\r\n"
                               "RQ5_Msg = Endung '$Extension' verbinden? | ja\r\n"
                               "[Page05]\r\nTitel1 = Installation|\r\nReady = a|b\r\n"
                               "[Install]\r\nMsg1 = Kopieren\r\nReady = Fertig\r\n");
  InterfaceTexts texts;
  texts.loadInterfaceTexts(path, "Acme", "1.0");
  // Three lines, and "$Titel" stays as it is written.
  EXPECT_EQ(texts.text(TextId::Page01Titel), "Eins\n$Titel\nDrei");
  EXPECT_EQ(texts.text(TextId::Page01Msg2), "Weiter mit 'Weiter'.");
  EXPECT_EQ(texts.text(TextId::Page05Titel1), "Installation\n");
  EXPECT_EQ(texts.text(TextId::Page05Ready), "a|b");  // no line breaks elsewhere
  EXPECT_EQ(texts.text(TextId::ButtonNext), "Weiter");
  EXPECT_EQ(texts.text(TextId::ButtonBack), "");  // present but empty: no default
  EXPECT_EQ(texts.text(TextId::ButtonCancel), "Abbrechen");
  // Texts the file lacks keep their defaults, composed.
  EXPECT_EQ(texts.text(TextId::Page01Msg1), "Quarvel will now install 'Acme' version 1.0 on your computer.");
  EXPECT_EQ(texts.text(TextId::ButtonInstall), "Install");

  EXPECT_EQ(qv::closeProgramMessage(texts, "Acme"), "Bitte 'Acme' schliessen (Acme)");
  EXPECT_EQ(qv::associateExtensionQuestion(texts, "acm"), "Endung '*.acm' verbinden? | ja  ");
}

TEST(InterfaceTexts, SubstitutionsInTheDefaults) {
  ScratchFolder dir;
  InterfaceTexts texts;
  texts.loadInterfaceTexts(dir / "none.lng", "Acme", "");
  EXPECT_EQ(qv::associateExtensionQuestion(texts, "txt"), "Associate File Extension '*.txt' with the program?  ");
  // The default already holds the title; a title holding "$Titel" is not expanded twice.
  EXPECT_EQ(qv::closeProgramMessage(texts, "Acme"), "Close Program 'Acme' first!");
}

TEST(InterfaceTexts, Utf8LanguageFile) {
  ScratchFolder dir;
  // "Zurück" with u-umlaut (U+00FC) and a text holding a Euro sign (U+20AC).
  std::string path = writeFile(dir, "utf8.lng",
                               "\xEF\xBB\xBF[Buttons]\r\nBack = Zur\xC3\xBC" "ck\r\nNext = 5 \xE2\x82\xAC\r\n"
                               "[Page01]\r\nTitel = \xC3\x84|\xC3\x96\r\n");
  InterfaceTexts texts;
  texts.loadInterfaceTexts(path, "Acme", "1");
  EXPECT_EQ(texts.text(TextId::ButtonBack), "Zur\xFC" "ck");
  EXPECT_EQ(texts.text(TextId::ButtonNext), "");  // a character above 255: empty, not the default
  EXPECT_EQ(texts.text(TextId::Page01Titel), "\xC4\n\xD6");
  EXPECT_EQ(texts.text(TextId::ButtonCancel), "Cancel");
}

}  // namespace
