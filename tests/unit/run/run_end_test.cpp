// The end of a run: which after task starts, the temporary folder, and the restart
// prompt that replaces the start of the installed program.
#include <gtest/gtest.h>

#include "run/run_end.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "unit/package/package_test_util.h"
#include "unit/system/fake_run_services.h"

namespace {

using namespace qvtest;

class CountingRestart : public qv::RestartPrompt {
 public:
  void promptRestart() override { ++prompts; }
  int prompts = 0;
};

struct EndOfRun {
  EndOfRun() {
    context.tempFolder = dir / "{RUN}\\";
    qv::ensureFolderChain(context.tempFolder + "sub\\");
    EXPECT_TRUE(writeBytes(context.tempFolder + "after.exe", bytesOf("MZ")));
    EXPECT_TRUE(writeBytes(context.tempFolder + "sub\\data.bin", bytesOf("x")));
    qv::ensureFolderChain(installFolder);
    EXPECT_TRUE(writeBytes(installFolder + "app.exe", bytesOf("MZ")));
    settings.afterSetup = "after.exe";
    settings.afterParam = "/done";
    settings.progExe = "app.exe";
  }
  ScratchFolder dir;
  std::string installFolder = dir / "App\\";
  qv::RunContext context;
  qv::RunSettings settings;
  FakeProcesses processes;
  CountingRestart restart;
};

TEST(RunEnd, TheAfterTaskBySelectorCancelAndFile) {
  struct Case {
    int8_t selector;
    bool cancelled;
    const char* afterSetup;
    bool starts;
  } cases[] = {
      {1, false, "after.exe", true},   {3, false, "after.exe", true},   {2, false, "after.exe", false},
      {0, false, "after.exe", false},  {-3, false, "after.exe", false}, {1, true, "after.exe", false},
      {3, true, "after.exe", false},   {1, false, "missing.exe", false}, {1, false, "", false},
      {1, false, "sub\\", false},  // a folder is no program
  };
  for (const Case& c : cases) {
    EndOfRun run;
    run.context.taskSelector = c.selector;
    run.context.cancelled = c.cancelled;
    run.settings.afterSetup = c.afterSetup;
    EXPECT_EQ(qv::runAfterTask(run.context, run.settings, run.processes), c.starts)
        << int(c.selector) << " " << c.cancelled << " " << c.afterSetup;
    if (c.starts) {
      ASSERT_EQ(run.processes.starts.size(), 1u);
      // In the temporary folder, waited for and kept, then released.
      EXPECT_EQ(run.processes.starts[0], run.context.tempFolder + "after.exe|/done|" + run.context.tempFolder + "|5");
      EXPECT_EQ(run.processes.released, 1);
      EXPECT_EQ(run.processes.list.size(), 0u);
    } else {
      EXPECT_TRUE(run.processes.starts.empty());
    }
  }
  // A program that will not start is skipped without a word.
  EndOfRun run;
  run.processes.startable = false;
  EXPECT_FALSE(qv::runAfterTask(run.context, run.settings, run.processes));
  EXPECT_EQ(run.processes.starts.size(), 1u);
}

TEST(RunEnd, RestartOrTheInstalledProgram) {
  {
    EndOfRun run;
    qv::endInstallation(run.context, run.settings, run.processes, run.restart, true, run.installFolder);
    ASSERT_EQ(run.processes.starts.size(), 2u);
    EXPECT_EQ(run.processes.starts[1], run.installFolder + "app.exe||" + run.installFolder + "|0");
    EXPECT_EQ(run.restart.prompts, 0);
    EXPECT_FALSE(qv::folderExists(run.context.tempFolder)) << "removed with its subfolders";
  }
  {
    // A restart comes instead of the program, even when the program was asked for.
    EndOfRun run;
    run.context.reboot = true;
    qv::endInstallation(run.context, run.settings, run.processes, run.restart, true, run.installFolder);
    EXPECT_EQ(run.restart.prompts, 1);
    ASSERT_EQ(run.processes.starts.size(), 1u) << "only the after task";
    EXPECT_FALSE(qv::folderExists(run.context.tempFolder));
  }
  {
    // Not asked for, or not installed: nothing is started after the after task.
    EndOfRun run;
    qv::endInstallation(run.context, run.settings, run.processes, run.restart, false, run.installFolder);
    EXPECT_EQ(run.processes.starts.size(), 1u);
    EndOfRun missing;
    missing.settings.progExe = "gone.exe";
    qv::endInstallation(missing.context, missing.settings, missing.processes, missing.restart, true,
                        missing.installFolder);
    EXPECT_EQ(missing.processes.starts.size(), 1u);
  }
  {
    // A run without a temporary folder removes nothing.
    EndOfRun run;
    std::string temp = run.context.tempFolder;
    run.context.tempFolder.clear();
    qv::removeTempFolder(run.context);
    EXPECT_TRUE(qv::folderExists(temp));
  }
}

}  // namespace
