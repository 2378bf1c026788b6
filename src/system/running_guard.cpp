#include "system/running_guard.h"

#include "runtime/paths.h"

namespace qv {

std::string upperCaseName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) {
    unsigned char b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || b >= 0xE0) c = char(b - 0x20);
  }
  return upper;
}

bool isProgramRunning(RunningPrograms& programs, const std::string& program) {
  // Without a program name there is nothing to look for. Compared as it is, the empty
  // name would match a process the list shows while it is still starting (without
  // its name yet), such as another setup started at the same moment.
  std::string wanted = upperCaseName(programFileName(program));
  if (wanted.empty()) return false;
  std::vector<std::string> names;
  if (!programs.listProcessNames(names)) return false;
  bool running = false;
  for (const std::string& name : names)
    if (upperCaseName(name) == wanted) running = true;
  return running;
}

bool isProductRunning(RunningPrograms& programs, const std::string& mutexName, const std::string& progExe) {
  if (!mutexName.empty()) return programs.mutexExists(mutexName);
  return isProgramRunning(programs, progExe);
}

std::string runningProgramWarning(const InterfaceTexts& texts, const std::string& title) {
  return closeProgramMessage(texts, title) + "\n" + texts.text(TextId::Rq4Msg2);
}

bool guardRunningProduct(RunningPrograms& programs, const InterfaceTexts& texts, const std::string& mutexName,
                         const std::string& progExe, const std::string& title, bool& running) {
  running = isProductRunning(programs, mutexName, progExe);
  if (!running) return true;
  return programs.confirmRunningProgram(texts.text(TextId::Rq4Titel), runningProgramWarning(texts, title));
}

}  // namespace qv
