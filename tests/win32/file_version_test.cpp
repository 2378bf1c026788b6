// Version summaries read through the real Version.dll: full data, a description
// without a version, strings without a translation, no version data, a block too
// large to take, and files that are no files; and the checked copy's system side
// (copy replacing, creation date in local time).
#include "run/start_run.h"
#include "win32/file_version_summary_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "run/run_context.h"
#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"
#include "win32/checked_copy_win32.h"
#include "win32/start_services_win32.h"

namespace {

// The version libraries are built beside this program, in win32\helpers.
std::string helperLibrary(const char* name) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string folder = path;
  folder.erase(folder.find_last_of('\\') + 1);
  return folder + "win32\\helpers\\" + name;
}

// The system's name of a language (Windows and Wine word them differently).
std::string languageName(DWORD language) {
  HMODULE version = LoadLibraryA("Version.dll");
  using LanguageName = DWORD(WINAPI*)(DWORD, LPSTR, DWORD);
  auto name = version ? reinterpret_cast<LanguageName>(
                            reinterpret_cast<void*>(GetProcAddress(version, "VerLanguageNameA")))
                      : nullptr;
  char text[128] = "";
  if (name) name(language, text, sizeof(text));
  if (version) FreeLibrary(version);
  return text;
}

TEST(Win32FileVersion, SummariesOfTheTestLibraries) {
  std::string english = languageName(0x0409), german = languageName(0x0407);
  EXPECT_EQ(english.rfind("English", 0), 0u) << english;
  EXPECT_EQ(german.rfind("German", 0), 0u) << german;
  struct Case {
    const char* library;
    std::string summary;
  };
  const Case cases[] = {
      {"qvver_full.dll", "4.3.2.1|Quarvel test library|" + english},
      {"qvver_description.dll", "|Nur Beschreibung|" + german},
      {"qvver_no_translation.dll", "||"},  // data, but no key to find the strings by
      {"qvver_none.dll", ""},              // no version data at all
  };
  for (const Case& c : cases) {
    std::string path = helperLibrary(c.library);
    ASSERT_TRUE(qv::fileExists(path)) << path;
    EXPECT_EQ(qv::getFileVersionSummary(path), c.summary) << c.library;
  }
}

TEST(Win32FileVersion, TheFixedVersionNumberAQuietRunComparesBy) {
  uint64_t version = 0;
  ASSERT_TRUE(qv::readFileVersionNumber(helperLibrary("qvver_full.dll"), version));
  EXPECT_EQ(version, (uint64_t(4) << 48) | (uint64_t(3) << 32) | (uint64_t(2) << 16) | 1u);
  EXPECT_FALSE(qv::readFileVersionNumber(helperLibrary("qvver_none.dll"), version));
  EXPECT_FALSE(qv::readFileVersionNumber(helperLibrary("missing.dll"), version));
}

TEST(Win32FileVersion, BlockWhoseSizeWrapsIsNotTaken) {
  std::string path = helperLibrary("qvver_large.dll");
  ASSERT_TRUE(qv::fileExists(path));
  HMODULE version = LoadLibraryA("Version.dll");
  ASSERT_NE(version, nullptr);
  using GetSize = DWORD(WINAPI*)(LPCSTR, LPDWORD);
  auto getSize = reinterpret_cast<GetSize>(reinterpret_cast<void*>(GetProcAddress(version, "GetFileVersionInfoSizeA")));
  ASSERT_NE(getSize, nullptr);
  DWORD ignored = 0;
  DWORD reported = getSize(path.c_str(), &ignored);
  FreeLibrary(version);
  // Above 64 KB, yet positive as a 16-bit number: a buffer of that many bytes would
  // hold a cut block that still claims its full length.
  ASSERT_GT(reported, 65536u);
  ASSERT_GT(int16_t(reported), 0);
  EXPECT_EQ(qv::getFileVersionSummary(path), "");
}

TEST(Win32FileVersion, NoFileOrAnEmptyOneGivesTheEmptyText) {
  qvtest::ScratchFolder folder;
  ASSERT_TRUE(qv::writeWholeFile(folder / "empty.dll", "", 0));
  std::string text = "not a program";
  ASSERT_TRUE(qv::writeWholeFile(folder / "plain.txt", text.data(), text.size()));
  EXPECT_EQ(qv::getFileVersionSummary(folder / "empty.dll"), "");
  EXPECT_EQ(qv::getFileVersionSummary(folder / "plain.txt"), "");
  EXPECT_EQ(qv::getFileVersionSummary(folder / "missing.dll"), "");
  EXPECT_EQ(qv::getFileVersionSummary(folder.path()), "");
  // A system library of the prefix carries a version of its own.
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, sizeof(system));
  qv::FileVersionFields fields =
      qv::parseFileVersionSummary(qv::getFileVersionSummary(std::string(system) + "\\kernel32.dll"));
  EXPECT_FALSE(fields.version.empty());
  EXPECT_FALSE(fields.language.empty());
}

TEST(Win32CheckedCopy, CopiesReplacingAndReadsTheLocalCreationDate) {
  qvtest::ScratchFolder folder;
  qv::RunContext context;
  qv::Win32StartServices system;
  qv::InterfaceTexts texts;
  qv::Win32CopyServices services;
  qv::RunCopyPolicy policy(context, system, texts);
  ASSERT_TRUE(qv::writeWholeFile(folder / "new.txt", "new", 3));
  ASSERT_TRUE(qv::writeWholeFile(folder / "old.txt", "older", 5));
  EXPECT_TRUE(services.copyFileReplacing(folder / "new.txt", folder / "old.txt"));
  EXPECT_EQ(qvtest::readText(folder / "old.txt"), "new");
  EXPECT_FALSE(services.copyFileReplacing(folder / "missing.txt", folder / "old.txt"));
  EXPECT_FALSE(services.copyFileReplacing(folder / "new.txt", folder / "no\\such\\folder.txt"));
  // An administrator's failed copy is no question: no logon, no message box (either
  // would wait for a user here), just the failure.
  if (system.privileges().isAdministrator()) {
    EXPECT_FALSE(qv::copyFileAsAdministrator(folder / "new.txt", folder / "no\\such\\folder.txt", services, policy));
    EXPECT_EQ(context.logon.token, nullptr);
  }

  // The creation date as the system's own local-time conversion gives it.
  qv::FileTime creation, lastWrite;
  ASSERT_TRUE(qv::readFileTimes(folder / "new.txt", creation, lastWrite));
  FILETIME universal = {creation.low, creation.high}, local;
  SYSTEMTIME parts;
  ASSERT_TRUE(FileTimeToLocalFileTime(&universal, &local) && FileTimeToSystemTime(&local, &parts));
  qv::LocalDateTime date;
  ASSERT_TRUE(services.readCreationDate(folder / "new.txt", date));
  EXPECT_EQ(date.year, parts.wYear);
  EXPECT_EQ(date.month, parts.wMonth);
  EXPECT_EQ(date.day, parts.wDay);
  EXPECT_EQ(date.hour, parts.wHour);
  EXPECT_EQ(date.minute, parts.wMinute);
  EXPECT_FALSE(services.readCreationDate(folder / "missing.txt", date));
}

}  // namespace
