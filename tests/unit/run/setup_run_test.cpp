// A whole run against a stand-in system: the setup description and the language
// file read from the unpacked setup package, the running-program guard, the before
// task with the task selector, the dispatch and the end of the run.
#include <gtest/gtest.h>

#include "run/run_end.h"
#include "run/run_start_steps.h"
#include "run/setup_run.h"
#include "runtime/file.h"
#include "runtime/paths.h"
#include "support/scratch_folder.h"
#include "unit/package/package_test_util.h"
#include "unit/run/fake_start_services.h"

namespace {

using namespace qvtest;

const char kGuid[] = "{11111111-2222-3333-4444-555555555555}";
const char kDamaged[] = " Quarvel  -  Error|The installation is damaged or some files are missing.   ";

// A run of a stub carrying setup.ini, two language files and a before-task program.
struct StubRun {
  explicit StubRun(const std::string& setupIni, const std::string& arguments = "") {
    qv::ensureFolderChain(dir / "dl\\");
    qv::ensureFolderChain(dir / "temp\\");
    system.module = dir / "dl\\setup.exe";
    system.temp = dir / "temp\\";
    system.guids = {kGuid};
    system.arguments = arguments;
    Bytes executable = bytesOf("MZ stub");
    executable.resize(600, 0);
    std::vector<TestEntry> entries = {
        fileEntry("setup.ini", bytesOf(setupIni)),
        fileEntry("english.lng", bytesOf("[Requester]\r\nRQ4_Titel=Warning\r\n")),
        folderEntry("lang\\"),
        fileEntry("lang\\german.lng",
                  bytesOf("[Requester]\r\nRQ4_Titel=Warnung\r\nRQ4_Msg=Bitte $Titel beenden!\r\nRQ4_Msg2=Dann OK!\r\n")),
        fileEntry("pre.exe", bytesOf("program")),
    };
    EXPECT_TRUE(writeBytes(system.module, makePackage(entries, executable).bytes));
  }
  qv::RunEnd run() { return qv::runSetup(context, settings, texts, system); }
  std::string tempFolder() const { return dir / "temp\\" + std::string(kGuid) + "\\"; }

  ScratchFolder dir;
  FakeStartServices system;
  qv::RunContext context;
  qv::RunSettings settings;
  qv::InterfaceTexts texts;
};

const char kTwoLanguages[] =
    "[Settings]\r\nLanguage=english.lng#9|lang\\german.lng#7|\r\nProgExe=Bin\\Tool.exe\r\n"
    "[Info]\r\nTitel=My Tool\r\nVersion=2.0\r\n";

TEST(SetupRun, TheLanguageFileOfTheUsersLanguageFillsTheTextsTheGuardShows) {
  StubRun r(kTwoLanguages);
  r.system.languageId = 0x0407;
  r.system.programs.processes = {"explorer.exe", "TOOL.EXE"};
  EXPECT_EQ(r.run(), qv::RunEnd::WizardRun);
  EXPECT_EQ(r.settings.title, "My Tool");
  EXPECT_EQ(r.context.languageFileName, "lang\\german.lng");
  EXPECT_EQ(r.context.primaryLanguage, 7);
  EXPECT_EQ(r.system.chooser.calls, 0);
  EXPECT_TRUE(r.context.running);
  EXPECT_EQ(r.system.programs.boxes, std::vector<std::string>{"Warnung|Bitte My Tool beenden!\nDann OK!"});
  // Texts the file leaves out keep their defaults, with the title put in.
  EXPECT_EQ(r.texts.text(qv::TextId::Rq6Titel), "Error - Copy File");
  EXPECT_EQ(r.texts.text(qv::TextId::Page01Msg1), "Quarvel will now install 'My Tool' version 2.0 on your computer.");
  // The wizard run (for now) removes the temporary folder, and the end releases.
  EXPECT_FALSE(qv::folderExists(r.tempFolder()));
  EXPECT_TRUE(r.system.errors.empty());
  EXPECT_EQ(r.system.started.releasedAll, 1);
  EXPECT_EQ(r.system.releasedServices, 1);
}

TEST(SetupRun, TheChooserDecidesWhenTheUsersLanguageIsNotListed) {
  {
    StubRun r(kTwoLanguages);
    r.system.languageId = 0x0411;
    r.system.chooser.pick = 1;
    r.system.programs.processes = {"tool.exe"};
    r.system.programs.answerOk = false;
    EXPECT_EQ(r.run(), qv::RunEnd::GuardCancelled);
    EXPECT_EQ(r.system.chooser.items, (std::vector<std::string>{" english", " lang\\german"}));
    EXPECT_EQ(r.context.languageFileName, "lang\\german.lng");
    ASSERT_EQ(r.system.programs.boxes.size(), 1u);
    EXPECT_EQ(r.system.programs.boxes[0].substr(0, 8), "Warnung|");
    EXPECT_FALSE(qv::folderExists(r.tempFolder()));
    EXPECT_EQ(qv::runExitCode(r.context.outcome, r.context.quiet), 0u);
  }
  {
    SCOPED_TRACE("chooser closed: the built-in texts");
    StubRun r(kTwoLanguages);
    r.system.languageId = 0x0411;
    r.system.programs.processes = {"tool.exe"};
    EXPECT_EQ(r.run(), qv::RunEnd::WizardRun);
    EXPECT_EQ(r.context.languageFileName, "");
    EXPECT_EQ(r.system.programs.boxes,
              std::vector<std::string>{"Quarvel - Warning|Close Program 'My Tool' first!\nThen press OK!"});
  }
}

TEST(SetupRun, AQuietRunAsksNobody) {
  // Not the chooser (the list's first entry), not the running-product warning (answered
  // Cancel, with its own exit code), not the damaged-installation box.
  StubRun r(kTwoLanguages, "/q");
  r.system.languageId = 0x0411;
  r.system.programs.processes = {"tool.exe"};
  EXPECT_EQ(r.run(), qv::RunEnd::GuardCancelled);
  EXPECT_EQ(r.system.chooser.calls, 0);
  EXPECT_EQ(r.context.languageFileName, "english.lng");
  EXPECT_TRUE(r.system.programs.boxes.empty());
  EXPECT_FALSE(qv::folderExists(r.tempFolder()));
  EXPECT_EQ(qv::runExitCode(r.context.outcome, true), qv::kExitProductRunning);

  StubRun damaged("[UserTask]\r\nBeforeSetup=missing.exe\r\n", "/Q");
  EXPECT_EQ(damaged.run(), qv::RunEnd::BeforeTaskMissing);
  EXPECT_TRUE(damaged.system.errors.empty());
  EXPECT_EQ(qv::runExitCode(damaged.context.outcome, true), qv::kExitSetupDamaged);

  // A temporary folder that cannot be made: no logon offered, no box.
  StubRun noFolder(kTwoLanguages, "/Q");
  noFolder.system.failFolders = true;
  noFolder.run();
  EXPECT_EQ(noFolder.system.login.opened, 0);
  EXPECT_TRUE(noFolder.system.errors.empty());
  EXPECT_NE(qv::runExitCode(noFolder.context.outcome, true), qv::kExitInstalled);
}

TEST(SetupRun, CancelAtTheGuardRemovesTheTemporaryFolderAndEndsTheRun) {
  StubRun r("[Settings]\r\nProgExe=tool.exe\r\n[Task]\r\nMutexString=  ToolMutex  \r\n"
        "[UserTask]\r\nBeforeSetup=pre.exe\r\n");
  r.system.programs.heldMutexes = {"ToolMutex"};
  r.system.programs.answerOk = false;
  EXPECT_EQ(r.run(), qv::RunEnd::GuardCancelled);
  EXPECT_EQ(r.system.programs.mutexTests, std::vector<std::string>{"ToolMutex"});
  EXPECT_EQ(r.system.programs.listings, 0);
  EXPECT_FALSE(qv::folderExists(r.tempFolder()));
  EXPECT_TRUE(r.system.started.starts.empty());  // the before task never ran
  EXPECT_EQ(r.system.releasedServices, 1);
}

TEST(SetupRun, TheBeforeTaskRunsInTheTemporaryFolderAndExitCodeOneStopsTheRun) {
  const std::string ini = "[UserTask]\r\nBeforeSetup=pre.exe\r\nBeforeParam=/check \"a b\"\r\n";
  {
    SCOPED_TRACE("exit code 1: silent end, the folder stays");
    StubRun r(ini);
    r.system.started.exitCode = 1;
    EXPECT_EQ(r.run(), qv::RunEnd::BeforeTaskStopped);
    EXPECT_EQ(r.system.started.starts,
              std::vector<std::string>{r.tempFolder() + "pre.exe|/check \"a b\"|" + r.tempFolder() + "|5"});
    EXPECT_EQ(r.system.started.released, 1);
    EXPECT_TRUE(r.system.errors.empty());
    EXPECT_TRUE(qv::fileExists(r.tempFolder() + "setup.ini"));
    EXPECT_EQ(r.system.releasedServices, 1);
    EXPECT_EQ(qv::runExitCode(r.context.outcome, true), qv::kExitStoppedByBeforeTask);
  }
  for (uint32_t code : {0u, 2u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(code);
    StubRun r(ini, "/Q");
    r.system.started.exitCode = code;
    EXPECT_EQ(r.run(), qv::RunEnd::QuietRun);
    EXPECT_EQ(r.system.started.released, 1);
    EXPECT_FALSE(qv::folderExists(r.tempFolder()));
  }
  {
    SCOPED_TRACE("not started: the run goes on");
    StubRun r(ini);
    r.system.started.startable = false;
    EXPECT_EQ(r.run(), qv::RunEnd::WizardRun);
    EXPECT_TRUE(r.system.errors.empty());
  }
}

TEST(SetupRun, AMissingBeforeTaskShowsTheDamagedBoxAndKeepsTheFolder) {
  for (const char* arguments : {"", "/R:0"}) {  // checked also when the selector would skip it
    SCOPED_TRACE(arguments);
    StubRun r("[Info]\r\nPrgFlag=0\r\n[UserTask]\r\nBeforeSetup=missing.exe\r\n", arguments);
    EXPECT_EQ(r.run(), qv::RunEnd::BeforeTaskMissing);
    EXPECT_EQ(r.system.errors, std::vector<std::string>{kDamaged});
    EXPECT_TRUE(r.system.started.starts.empty());
    EXPECT_TRUE(qv::fileExists(r.tempFolder() + "setup.ini"));
    EXPECT_EQ(r.system.releasedServices, 1);
  }
}

TEST(SetupRun, TheTaskSelectorAndPrgFlagDecideWhetherTheBeforeTaskStarts) {
  struct Case {
    const char* arguments;
    int prgFlag;
    bool starts;
  };
  const Case cases[] = {{"", 0, true},      {"/R:2", 0, true},  {"/R:3", 0, false}, {"/R:3", 1, true},
                        {"/R", 0, false},   {"/R", 3, true},    {"/R:9", 0, false}, {"/r:1 /R:3", 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.arguments) + " PrgFlag=" + std::to_string(c.prgFlag));
    StubRun r("[Info]\r\nPrgFlag=" + std::to_string(c.prgFlag) + "\r\n[UserTask]\r\nBeforeSetup=pre.exe\r\n",
          c.arguments);
    r.system.started.exitCode = 1;
    EXPECT_EQ(r.run(), c.starts ? qv::RunEnd::BeforeTaskStopped : qv::RunEnd::WizardRun);
    EXPECT_EQ(r.system.started.starts.size(), c.starts ? 1u : 0u);
  }
}

TEST(SetupRun, TheEndEndsTheImpersonationOfALogon) {
  StubRun r(kTwoLanguages);
  r.system.failFolders = true;  // the folder fails once: the logon is offered
  r.system.privilegeService.tokens = {reinterpret_cast<qv::SystemHandle>(3)};
  r.system.login.events = {qv::LoginWindow::Event::Login};
  EXPECT_EQ(r.run(), qv::RunEnd::WizardRun);
  EXPECT_TRUE(r.context.logon.impersonating);  // still recorded for the uninstall log
  EXPECT_EQ(r.system.privilegeService.ended, std::vector<qv::SystemHandle>{reinterpret_cast<qv::SystemHandle>(3)});
  EXPECT_EQ(r.context.logon.token, nullptr);
}

TEST(SetupRun, ARunWithoutAFolderOfItsOwnRemovesNothing) {
  StubRun r("[UserTask]\r\nBeforeSetup=pre.exe\r\n");
  r.system.guids.clear();  // no GUID, so no folder of the run's own
  ASSERT_TRUE(writeBytes(r.dir / "temp\\pre.exe", bytesOf("not ours")));
  ASSERT_TRUE(writeBytes(r.dir / "temp\\setup.ini", bytesOf("[UserTask]\r\nBeforeSetup=pre.exe\r\n")));
  EXPECT_EQ(r.run(), qv::RunEnd::WizardRun);
  EXPECT_EQ(r.context.tempFolder, "");
  EXPECT_TRUE(qv::fileExists(r.dir / "temp\\pre.exe"));
  EXPECT_TRUE(qv::fileExists(r.dir / "temp\\setup.ini"));
  // Nothing was read from elsewhere: setup.ini gives its defaults and no program starts.
  EXPECT_EQ(r.settings.beforeSetup, "");
  EXPECT_TRUE(r.system.started.starts.empty());
}

}  // namespace
