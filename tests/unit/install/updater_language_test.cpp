// The updater's language file: the source name from the chosen language, the folder
// made once, the file placed and replaced, and nothing touched without a source.
#include "install/updater_language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "support/test_data.h"

namespace {

using qvtest::ScratchFolder;

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(qv::writeWholeFile(path, bytes.data(), bytes.size()));
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qv::readWholeFile(path, bytes)) << path;
  return bytes;
}

TEST(UpdaterLanguage, SourceIsTheLanguageFileNameUpToItsFirstDot) {
  const char* temp = "C:\\Temp\\{G}\\";
  struct Case {
    const char* languageFile;
    const char* source;
  };
  const Case cases[] = {
      {"german.lng", "C:\\Temp\\{G}\\german.upd"},
      {"", "C:\\Temp\\{G}\\.upd"},
      {"english", "C:\\Temp\\{G}\\english.upd"},
      {"lang\\french.v2.lng", "C:\\Temp\\{G}\\lang\\french.upd"},
  };
  for (const Case& c : cases) EXPECT_EQ(qv::updaterLanguageSource(temp, c.languageFile), c.source);
  EXPECT_EQ(qv::updaterLanguageFile("D:\\Apps\\Hello\\"), "D:\\Apps\\Hello\\qvIUpd\\qvIUpdater.lng");
}

TEST(UpdaterLanguage, PlacedInANewFolderAndReplacedByTheNextLanguage) {
  ScratchFolder temp, install;
  // Larger than one piece of the copy, and not a multiple of it.
  std::vector<uint8_t> german = qvtest::randomBytes(200 * 1024 + 17, 5);
  std::vector<uint8_t> english = qvtest::textBytes(300, 6);
  writeBytes(temp / "german.upd", german);
  writeBytes(temp / "english.upd", english);

  EXPECT_TRUE(qv::writeUpdaterLanguageFile(temp.path(), "german.lng", install.path()));
  EXPECT_TRUE(qv::folderExists(install / "qvIUpd"));
  EXPECT_EQ(readBytes(install / "qvIUpd\\qvIUpdater.lng"), german);

  // Reinstalling in another language: the shorter file replaces the longer whole.
  EXPECT_TRUE(qv::writeUpdaterLanguageFile(temp.path(), "english.lng", install.path()));
  EXPECT_EQ(readBytes(install / "qvIUpd\\qvIUpdater.lng"), english);
  EXPECT_EQ(readBytes(temp / "english.upd"), english);  // the source stays
}

TEST(UpdaterLanguage, WithoutASourceNothingChanges) {
  ScratchFolder temp, install;
  writeBytes(temp / "german.upd", {1, 2, 3});
  // No matching file: no folder appears.
  EXPECT_FALSE(qv::writeUpdaterLanguageFile(temp.path(), "french.lng", install.path()));
  EXPECT_FALSE(qv::folderExists(install / "qvIUpd"));
  // An earlier updater folder and its file stay as they are.
  ASSERT_TRUE(qv::createFolder(install / "qvIUpd"));
  writeBytes(install / "qvIUpd\\qvIUpdater.lng", {9, 9});
  writeBytes(install / "qvIUpd\\other.txt", {7});
  EXPECT_FALSE(qv::writeUpdaterLanguageFile(temp.path(), "", install.path()));
  EXPECT_EQ(readBytes(install / "qvIUpd\\qvIUpdater.lng"), std::vector<uint8_t>({9, 9}));
  EXPECT_EQ(readBytes(install / "qvIUpd\\other.txt"), std::vector<uint8_t>({7}));
  // The empty language file name looks for ".upd" itself.
  writeBytes(temp / ".upd", {4});
  EXPECT_TRUE(qv::writeUpdaterLanguageFile(temp.path(), "", install.path()));
  EXPECT_EQ(readBytes(install / "qvIUpd\\qvIUpdater.lng"), std::vector<uint8_t>({4}));
}

TEST(UpdaterLanguage, NoTemporaryFolderNoSourceWhateverTheCurrentFolderHolds) {
  ScratchFolder current, install;
  writeBytes(current / "german.upd", {5});
  std::string here = current.path();
  here.pop_back();  // the folder without its trailing separator, in the host's form
  std::replace(here.begin(), here.end(), '\\', std::filesystem::path::preferred_separator == '/' ? '/' : '\\');
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(here);
  bool placed = qv::writeUpdaterLanguageFile("", "german.lng", install.path());
  std::filesystem::current_path(before);
  EXPECT_FALSE(placed);
  EXPECT_FALSE(qv::fileExists(install / "qvIUpd\\qvIUpdater.lng"));
}

TEST(UpdaterLanguage, FailuresAreQuiet) {
  ScratchFolder temp, install;
  writeBytes(temp / "german.upd", {1});
  // A file where the folder should be: the copy fails, reported only by the result.
  writeBytes(install / "qvIUpd", {0});
  EXPECT_FALSE(qv::writeUpdaterLanguageFile(temp.path(), "german.lng", install.path()));
  EXPECT_EQ(readBytes(install / "qvIUpd"), std::vector<uint8_t>({0}));
}

}  // namespace
