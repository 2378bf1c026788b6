// Checked copies: the file-version window's flow (what is read, shown, asked and
// copied, in which order), the administrator fallback, the labels with the date and
// not-available fallbacks, the date format and the version-summary decisions.
#include "install/checked_copy.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"

namespace {

using qv::FileVersionWindow;
using qv::LocalDateTime;

class FakeWindow : public FileVersionWindow {
 public:
  explicit FakeWindow(std::vector<std::string>& events) : events_(events) {}
  bool openFileVersionWindow(const std::string& fileName, const qv::InterfaceTexts&) override {
    events_.push_back("open " + fileName);
    return opens;
  }
  void enableWizardWindow(bool enabled) override { events_.push_back(enabled ? "enable" : "disable"); }
  void setFileVersionLabels(const qv::FileVersionLabels& l) override {
    labels = l;
    events_.push_back("labels");
  }
  Answer waitForFileVersionAnswer() override {
    events_.push_back("wait");
    return answer;
  }
  void closeFileVersionWindow() override { events_.push_back("close"); }

  bool opens = true;
  Answer answer = Answer::Yes;
  qv::FileVersionLabels labels;

 private:
  std::vector<std::string>& events_;
};

class FakeCopy : public qv::CopyServices, public qv::CopyPolicy {
 public:
  bool fileExists(const std::string& path) override { return existing.count(path) != 0; }
  bool copyFileReplacing(const std::string& source, const std::string& destination) override {
    events.push_back("copy " + source + " > " + destination);
    return copiesFailing-- <= 0;
  }
  qv::LogonOffer offerAdministratorLogon() override {
    events.push_back("offer-logon");
    if (administrator) return qv::LogonOffer::Administrator;
    return declined ? qv::LogonOffer::Declined : qv::LogonOffer::Made;
  }
  void reportCopyFailure() override { events.push_back("report failure"); }
  std::string getFileVersionSummary(const std::string& path) override {
    events.push_back("summary " + path);
    auto found = summaries.find(path);
    return found == summaries.end() ? std::string() : found->second;
  }
  bool readCreationDate(const std::string& path, LocalDateTime& date) override {
    auto found = dates.find(path);
    if (found == dates.end()) return false;
    date = found->second;
    return true;
  }
  FileVersionWindow& fileVersionWindow() override { return window; }
  bool answersItself() override { return quiet; }
  bool readFileVersionNumber(const std::string& path, uint64_t& version) override {
    auto found = versions.find(path);
    if (found == versions.end()) return false;
    version = found->second;
    return true;
  }

  std::vector<std::string> events;
  bool quiet = false;
  std::map<std::string, uint64_t> versions;
  std::map<std::string, int> existing;
  std::map<std::string, std::string> summaries;
  std::map<std::string, LocalDateTime> dates;
  int copiesFailing = 0;
  bool administrator = true;
  bool declined = false;
  FakeWindow window{events};
};

const char kSource[] = "C:\\Temp\\{G}\\lib\\tool.dll";
const char kTarget[] = "C:\\Windows\\System32\\tool.dll";
const std::string kCopy = std::string("copy ") + kSource + " > " + kTarget;

TEST(CopyFileChecked, MissingDestinationIsCopiedWithoutQuestion) {
  FakeCopy copy;
  qv::InterfaceTexts texts;
  qv::copyFileChecked(kSource, kTarget, copy, copy, texts);
  EXPECT_EQ(copy.events, std::vector<std::string>({kCopy}));
}

TEST(CopyFileChecked, ExistingDestinationAsksFirstAndYesCopies) {
  FakeCopy copy;
  qv::InterfaceTexts texts;
  copy.existing[kTarget] = 1;
  copy.summaries[kTarget] = "1.0.0.1|Old tool|English (United States)";
  copy.summaries[kSource] = "2.0.0.0|New tool|German (Germany)";
  qv::copyFileChecked(kSource, kTarget, copy, copy, texts);
  EXPECT_EQ(copy.events, std::vector<std::string>({std::string("summary ") + kTarget, std::string("summary ") + kSource,
                                                   "open tool.dll", "disable", "labels", "wait", kCopy, "enable",
                                                   "close"}));
  EXPECT_EQ(copy.window.labels.currentVersion, "1.0.0.1");
  EXPECT_EQ(copy.window.labels.currentDescription, "Old tool");
  EXPECT_EQ(copy.window.labels.currentLanguage, "English (United States)");
  EXPECT_EQ(copy.window.labels.newVersion, "2.0.0.0");
  EXPECT_EQ(copy.window.labels.newDescription, "New tool");
  EXPECT_EQ(copy.window.labels.newLanguage, "German (Germany)");
}

TEST(CopyFileChecked, NoLeavesTheFileAndAWindowThatDoesNotOpenCopiesNothing) {
  FakeCopy copy;
  qv::InterfaceTexts texts;
  copy.existing[kTarget] = 1;
  copy.window.answer = FileVersionWindow::Answer::No;
  qv::copyFileChecked(kSource, kTarget, copy, copy, texts);
  EXPECT_EQ(copy.events, std::vector<std::string>({std::string("summary ") + kTarget, std::string("summary ") + kSource,
                                                   "open tool.dll", "disable", "labels", "wait", "enable", "close"}));

  FakeCopy closed;
  closed.existing[kTarget] = 1;
  closed.window.opens = false;
  qv::confirmReplaceFile(kSource, kTarget, closed, closed, texts);
  // The wizard keeps its input, and nothing is copied.
  EXPECT_EQ(closed.events, std::vector<std::string>({std::string("summary ") + kTarget,
                                                     std::string("summary ") + kSource, "open tool.dll"}));
}

TEST(CopyFileChecked, WindowNamesTheFilePartAfterEitherSeparator) {
  FakeCopy copy;
  qv::InterfaceTexts texts;
  copy.window.answer = FileVersionWindow::Answer::No;
  qv::confirmReplaceFile("C:\\T/sub/readme.txt", kTarget, copy, copy, texts);
  EXPECT_EQ(copy.events[2], "open readme.txt");
  EXPECT_EQ(qv::fileNamePartOf("plain.ini"), "plain.ini");
  EXPECT_EQ(qv::fileNamePartOf("C:\\dir\\"), "");
}

TEST(CopyFileAsAdministrator, FailuresFallBackOnTheLogonOnceAndReportOnlyAfterIt) {
  qv::InterfaceTexts texts;
  {  // An administrator's failure: no logon retry, no message.
    FakeCopy copy;
    copy.copiesFailing = 1;
    EXPECT_FALSE(qv::copyFileAsAdministrator(kSource, kTarget, copy, copy));
    EXPECT_EQ(copy.events, std::vector<std::string>({kCopy, "offer-logon"}));
  }
  {  // Not an administrator: the second copy after the logon succeeds.
    FakeCopy copy;
    copy.copiesFailing = 1;
    copy.administrator = false;
    EXPECT_TRUE(qv::copyFileAsAdministrator(kSource, kTarget, copy, copy));
    EXPECT_EQ(copy.events, std::vector<std::string>({kCopy, "offer-logon", kCopy}));
  }
  {  // Both copies fail: the copy-failure box, once.
    FakeCopy copy;
    copy.copiesFailing = 2;
    copy.administrator = false;
    EXPECT_FALSE(qv::copyFileAsAdministrator(kSource, kTarget, copy, copy));
    EXPECT_EQ(copy.events,
              std::vector<std::string>({kCopy, "offer-logon", kCopy, "report failure"}));
  }
  {  // The logon declined earlier in the run: no retry, but the failure is reported.
    FakeCopy copy;
    copy.copiesFailing = 1;
    copy.administrator = false;
    copy.declined = true;
    EXPECT_FALSE(qv::copyFileAsAdministrator(kSource, kTarget, copy, copy));
    EXPECT_EQ(copy.events, std::vector<std::string>({kCopy, "offer-logon", "report failure"}));
  }
  {  // After Yes the failure box comes while the question is still open.
    FakeCopy copy;
    copy.existing[kTarget] = 1;
    copy.copiesFailing = 2;
    copy.administrator = false;
    qv::copyFileChecked(kSource, kTarget, copy, copy, texts);
    ASSERT_GE(copy.events.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(copy.events.end() - 4, copy.events.end()),
              std::vector<std::string>({kCopy, "report failure", "enable", "close"}));
  }
}

TEST(FileVersionLabels, EmptyFieldsShowTheDateOrNotAvailable) {
  qv::InterfaceTexts texts;
  LocalDateTime morning{2024, 3, 7, 9, 5};
  LocalDateTime evening{1999, 12, 31, 23, 59};
  // No version data at all: the date, and NotAvailable twice.
  qv::FileVersionLabels l = qv::fileVersionLabels("", &morning, "||", &evening, texts);
  EXPECT_EQ(l.currentVersion, "2024-03-07  09:05");
  EXPECT_EQ(l.currentLanguage, "--- not available ---");
  EXPECT_EQ(l.currentDescription, "--- not available ---");
  EXPECT_EQ(l.newVersion, "1999-12-31  23:59");
  EXPECT_EQ(l.newLanguage, "--- not available ---");
  EXPECT_EQ(l.newDescription, "--- not available ---");

  // A description without a version: the date in the version field only.
  l = qv::fileVersionLabels("|Helper library|English (United States)", &morning, "3.1|Tool|", nullptr, texts);
  EXPECT_EQ(l.currentVersion, "2024-03-07  09:05");
  EXPECT_EQ(l.currentDescription, "Helper library");
  EXPECT_EQ(l.currentLanguage, "English (United States)");
  EXPECT_EQ(l.newVersion, "3.1");
  EXPECT_EQ(l.newDescription, "Tool");
  EXPECT_EQ(l.newLanguage, "--- not available ---");

  // A date that cannot be read: NotAvailable rather than a made-up date.
  l = qv::fileVersionLabels("", nullptr, "", nullptr, texts);
  EXPECT_EQ(l.currentVersion, "--- not available ---");
  EXPECT_EQ(l.newVersion, "--- not available ---");
}

TEST(FileVersionLabels, NotAvailableComesFromTheLanguageFile) {
  qvtest::ScratchFolder folder;
  std::string text = "[FileVersion]\r\nNotAvailable = --- nicht vorhanden ---\r\n";
  ASSERT_TRUE(qv::writeWholeFile(folder / "german.lng", text.data(), text.size()));
  qv::InterfaceTexts texts;
  texts.loadInterfaceTexts(folder / "german.lng", "Hello", "1.0");
  qv::FileVersionLabels l = qv::fileVersionLabels("1.0||", nullptr, "", nullptr, texts);
  EXPECT_EQ(l.currentVersion, "1.0");
  EXPECT_EQ(l.currentLanguage, "--- nicht vorhanden ---");
  EXPECT_EQ(l.newDescription, "--- nicht vorhanden ---");
  EXPECT_EQ(l.newVersion, "--- nicht vorhanden ---");
}

TEST(FormatFileDate, FourDigitYearTwoDigitRestTwoBlanks) {
  struct Case {
    LocalDateTime date;
    const char* text;
  };
  const Case cases[] = {
      {{2026, 12, 9, 11, 17}, "2026-12-09  11:17"},
      {{2001, 1, 1, 0, 0}, "2001-01-01  00:00"},
      {{987, 7, 4, 23, 9}, "0987-07-04  23:09"},
      {{99999, 1, 1, 0, 0}, "9999-01-01  00:00"},  // never wider than the field
      {{2020, -1, 1, 0, 0}, "2020-00-01  00:00"},
      {{-5, 100, 31, 99, 100}, "0000-99-31  99:99"},
      {{10, 5, 6, 7, 8}, "0010-05-06  07:08"},
  };
  for (const Case& c : cases) EXPECT_EQ(qv::formatFileDate(c.date), c.text);
}

TEST(FileVersionSummary, FieldsSplitWithTheDescriptionKeepingStrayBars) {
  struct Case {
    const char* summary;
    const char* version;
    const char* description;
    const char* language;
  };
  const Case cases[] = {
      {"", "", "", ""},
      {"||", "", "", ""},
      {"1.2.3.4|Tool|English (United States)", "1.2.3.4", "Tool", "English (United States)"},
      {"|Only description|", "", "Only description", ""},
      {"1.0", "1.0", "", ""},
      {"1.0|Tool", "1.0", "Tool", ""},
      {"5|Pipe | and | bar|Neutral", "5", "Pipe | and | bar", "Neutral"},
  };
  for (const Case& c : cases) {
    qv::FileVersionFields f = qv::parseFileVersionSummary(c.summary);
    EXPECT_EQ(f.version, c.version) << c.summary;
    EXPECT_EQ(f.description, c.description) << c.summary;
    EXPECT_EQ(f.language, c.language) << c.summary;
  }
  qv::FileVersionFields full{"1.0", "a|b", "English"};
  EXPECT_EQ(qv::joinFileVersionSummary(full), "1.0|a|b|English");
  qv::FileVersionFields back = qv::parseFileVersionSummary(qv::joinFileVersionSummary(full));
  EXPECT_EQ(back.description, "a|b");
  EXPECT_EQ(back.language, "English");
}

TEST(FileVersionSummary, SizeRuleKeyAndQueries) {
  // Sizes as a signed 16-bit number must be above 0; larger ones never wrap into a
  // small buffer that the block would overrun.
  const uint32_t sizes[][2] = {{0, 0},         {1, 1},         {1024, 1024}, {32767, 32767},
                               {32768, 0},     {40000, 0},     {65535, 0},   {65536, 0},
                               {65536 + 1000, 0}, {0xFFFFFFFFu, 0}};
  for (const auto& s : sizes) EXPECT_EQ(qv::versionInfoBufferSize(s[0]), s[1]) << s[0];

  EXPECT_EQ(qv::versionTranslationKey(0x0409, 0x04B0), "040904B0");
  EXPECT_EQ(qv::versionTranslationKey(0x0c0a, 0x04e4), "0C0A04E4");
  EXPECT_EQ(qv::versionTranslationKey(0, 0), "00000000");
  EXPECT_EQ(qv::versionTranslationKey(0xFFFF, 0xABCD), "FFFFABCD");
  EXPECT_EQ(qv::versionTranslationQuery(), "\\\\VarFileInfo\\\\Translation");
  EXPECT_EQ(qv::versionStringQuery("040904B0", "FileVersion"), "\\\\StringFileInfo\\\\040904B0\\\\FileVersion");
}

TEST(CopyFileChecked, AQuietRunReplacesWithoutAskingButNeverDowngradesAVersionedFile) {
  qv::InterfaceTexts texts;
  const uint64_t v1 = uint64_t(1) << 48, v2 = uint64_t(2) << 48, v2a = v2 | 1;
  struct Case {
    const char* what;
    bool installedVersioned, newVersioned;
    uint64_t installed, replacement;
    bool copies;
  } cases[] = {
      {"newer file", true, true, v1, v2, true},
      {"the same version", true, true, v2, v2, true},
      {"older file: kept", true, true, v2a, v2, false},
      {"installed file without version data", false, true, 0, v1, true},
      {"new file without version data", true, false, v2, 0, true},
      {"neither versioned", false, false, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeCopy copy;
    copy.quiet = true;
    copy.existing[kTarget] = 1;
    if (c.installedVersioned) copy.versions[kTarget] = c.installed;
    if (c.newVersioned) copy.versions[kSource] = c.replacement;
    qv::copyFileChecked(kSource, kTarget, copy, copy, texts);
    // No window, no question: the copy or nothing.
    EXPECT_EQ(copy.events, c.copies ? std::vector<std::string>{kCopy} : std::vector<std::string>{});
  }
}

}  // namespace
