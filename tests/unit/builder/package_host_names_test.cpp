// Folder trees on a POSIX host holding a name with no ANSI form: a survey finds it
// before anything is packed, and packing refuses it should it come up regardless.
// (tests/e2e/qvpack-ansi-names.sh packs and extracts names that convert.)
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "builder/package_folder_source.h"
#include "builder/package_writer.h"
#include "support/host_files.h"
#include "support/scratch_folder.h"

namespace {

using qvtest::hostFileExists;
using qvtest::hostPathOf;
using qvtest::makeHostFile;

TEST(PackageHostNames, NameWithoutAnsiFormIsFoundFirstAndRefused) {
  qvtest::ScratchFolder dir;
  ASSERT_EQ(::mkdir(hostPathOf(dir.path(), "src").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(hostPathOf(dir.path(), "src/docs").c_str(), 0755), 0);
  ASSERT_TRUE(makeHostFile(hostPathOf(dir.path(), "src/a.txt"), "12345"));
  const std::string bad = hostPathOf(dir.path(), "src/docs/日本.txt");
  ASSERT_TRUE(makeHostFile(bad, ""));

  qv::FolderTreeSurvey survey = qv::surveyFolderTree(dir / "src");
  EXPECT_EQ(survey.unconvertedFolder, dir / "src\\docs\\");
  EXPECT_EQ(survey.unconvertedHostName, "日本.txt");

  // Without a survey first, packing stops at the name rather than storing a stand-in.
  qv::PackageWriter writer;
  ASSERT_TRUE(writer.create(dir / "p.pck"));
  EXPECT_FALSE(qv::addFolderTree(writer, dir / "src", ""));
  EXPECT_NE(writer.error().find("docs\\??.txt"), std::string::npos) << writer.error();
  EXPECT_NE(writer.error().find("Windows-1252"), std::string::npos) << writer.error();
  ::unlink(bad.c_str());

  survey = qv::surveyFolderTree(dir / "src");
  EXPECT_EQ(survey.unconvertedHostName, "");
  EXPECT_EQ(survey.bytes, 5);
}

}  // namespace
#endif
