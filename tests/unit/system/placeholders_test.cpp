// Placeholder expansion with a folder lookup from a table.
#include "system/placeholders.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "unit/system/fake_system_folders.h"

namespace {

using namespace qv::folder_code;
using qvtest::FakeFolderLookup;

FakeFolderLookup machine() {
  FakeFolderLookup f;
  f.folders = {{kProgramFiles, "C:\\Program Files\\"}, {kWindows, "C:\\WINDOWS\\"},
               {kSystem, "C:\\WINDOWS\\system32\\"},  {kCommonFiles, "C:\\Program Files\\Common Files\\"},
               {kAppData, "C:\\AppData\\"},           {kStartup, "C:\\Start\\Startup\\"},
               {kQuickLaunch, "C:\\AppData\\QL\\"},   {kDocuments, "C:\\Docs\\"},
               {kFonts, "C:\\WINDOWS\\Fonts\\"},      {kEmergence, "C:\\Program Files\\EBDev\\"},
               {kAurora, "C:\\Program Files\\Aurora\\"}};
  return f;
}

std::string expand(const std::string& path, bool relative) {
  FakeFolderLookup f = machine();
  return qv::expandPlaceholders(path, relative, f);
}

TEST(Placeholders, DrivePathsAndRelativePaths) {
  EXPECT_EQ(expand("C:\\Tools\\%Windows%", true), "C:\\Tools\\%Windows%");
  EXPECT_EQ(expand("C:\\Tools\\%Windows%", false), "C:\\Tools\\%Windows%");
  EXPECT_EQ(expand("MyApp", true), "C:\\Program Files\\MyApp");
  EXPECT_EQ(expand("MyApp", false), "MyApp");
  EXPECT_EQ(expand("50%Off", true), "C:\\Program Files\\50%Off");
  EXPECT_EQ(expand("", true), "C:\\Program Files\\");
  // "C:" without the backslash is no drive path.
  EXPECT_EQ(expand("C:MyApp", true), "C:\\Program Files\\C:MyApp");
  EXPECT_EQ(expand("\\\\server\\share", true), "C:\\Program Files\\\\\\server\\share");
}

TEST(Placeholders, TokensAreReplacedEverywhereAndCaseSensitively) {
  EXPECT_EQ(expand("%ProgramFiles%MyApp", true), "C:\\Program Files\\MyApp");
  EXPECT_EQ(expand("%ProgramFiles%\\MyApp", true), "C:\\Program Files\\\\MyApp");
  EXPECT_EQ(expand("%AppData%%StartUp%", true), "C:\\AppData\\C:\\Start\\Startup\\");
  EXPECT_EQ(expand("%PROGRAMFILES%x", true), "%PROGRAMFILES%x");
  EXPECT_EQ(expand("%programfiles%x", false), "%programfiles%x");
  EXPECT_EQ(expand("%Windows%a;%Windows%b", false), "C:\\WINDOWS\\a;C:\\WINDOWS\\b");
  EXPECT_EQ(expand("%System%%CommonFiles%%MyDocuments%%Fonts%", false),
            "C:\\WINDOWS\\system32\\C:\\Program Files\\Common Files\\C:\\Docs\\C:\\WINDOWS\\Fonts\\");
  EXPECT_EQ(expand("%QuickLaunch%x %Emergency%y %Aurora%z", false),
            "C:\\AppData\\QL\\x C:\\Program Files\\EBDev\\y C:\\Program Files\\Aurora\\z");
  // Tokens handled elsewhere stay.
  EXPECT_EQ(expand("%InstallDir%a", true), "%InstallDir%a");
}

TEST(Placeholders, FailedLookupsLeaveNothingAndTokensAreLookedUpInOrder) {
  FakeFolderLookup f = machine();
  f.folders.erase(kPureBasic);
  EXPECT_EQ(qv::expandPlaceholders("%PureBasic%Compilers\\", true, f), "Compilers\\");
  // A folder whose path holds a later token has it replaced as well; an earlier one stays.
  f.folders[kProgramFiles] = "P:\\%Windows%\\";
  f.folders[kWindows] = "W:\\%ProgramFiles%\\";
  f.lookups.clear();
  EXPECT_EQ(qv::expandPlaceholders("%Windows%|%ProgramFiles%", false, f), "W:\\%ProgramFiles%\\|P:\\W:\\%ProgramFiles%\\\\");
  EXPECT_EQ(f.lookups, (std::vector<int>{kProgramFiles, kWindows}));
  // Only tokens that occur are looked up.
  f.lookups.clear();
  qv::expandPlaceholders("%Fonts%x", false, f);
  EXPECT_EQ(f.lookups, std::vector<int>{kFonts});
}

}  // namespace
