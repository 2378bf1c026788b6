// The uninstall log written over any earlier uninstall.dat: whatever the earlier
// file holds, the log that results reads back with this run's values in every key it
// writes, and the undo records numbered from 1 without gaps.
//
// The first input byte chooses the number of undo records (0 to 15); the rest is the
// earlier file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <stdlib.h>

#include "fuzz_support.h"
#include "install/uninstall_log.h"
#include "runtime/file.h"
#include "runtime/key_value_file.h"

namespace {

using qvfuzz::check;

void checkValue(qv::KeyValueDocument& log, const char* group, const char* key, const std::string& value) {
  check(log.selectGroup(group));
  check(log.readKeyString(key, "\x01missing") == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const std::string folder = qvfuzz::scratchFolder("uninstall-log-fuzz") + "\\";
  std::string path = folder + qv::kUninstallLogName;
  if (!qv::writeWholeFile(path, data + 1, size - 1)) std::abort();

  qv::RunSettings settings;
  settings.progExe = "tool.v2.exe";
  settings.guid = "{GUID}";
  settings.startMenuPath = "C:\\Menu\\Tool\\";
  settings.exe = "bin\\viewer.exe";
  settings.uninst1Prog = "first.exe";
  settings.uninst2Param = "-a = b";
  qv::InterfaceTexts texts;
  std::vector<std::string> undo;
  for (int i = 0; i < (data[0] & 0x0F); ++i) undo.push_back(std::to_string(i % 11) + "|record " + std::to_string(i));
  qv::writeUninstallLog({folder, "C:\\Desk\\tool.lnk", true, true}, settings, texts, undo);

  qv::KeyValueDocument log;
  check(log.openKeyValueFile(path));
  checkValue(log, "Settings", "ProgDir", folder);
  checkValue(log, "Settings", "ProgLink", "tool");
  checkValue(log, "Settings", "DesktopIcon", "C:\\Desk\\tool.lnk");
  checkValue(log, "Settings", "LoginAdmin", "1");
  checkValue(log, "Language", "Mutex", texts.text(qv::TextId::Rq4Msg) + "|" + texts.text(qv::TextId::Rq4Msg2));
  checkValue(log, "StartMenu", "AddExe", "C:\\Menu\\Tool\\viewer.lnk");
  checkValue(log, "StartProg", "BeforeUninst", "first.exe");
  checkValue(log, "StartProg", "AfterParam", "-a = b");
  check(log.selectGroup("UserTask"));
  check(log.readKeyInteger("Number", -1) == int(undo.size()));
  for (size_t i = 0; i < undo.size(); ++i) check(log.readKeyString("Task" + std::to_string(i + 1), "") == undo[i]);
  log.closeKeyValueFile();
  return 0;
}
