// qvdrive: drives the windows of a program under test from a script of steps.
//
//   qvdrive <script>
//
// Exit code 0 when every step succeeded; 1 when a step failed (the step, what it
// expected and what it found are printed, the screen is saved as failure.bmp
// beside the script and the started programs are ended); 2 when the script cannot
// be read or is malformed. The steps are listed in README.md beside this file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "screen_capture.h"
#include "script.h"
#include "step_runner.h"

namespace {

bool readWholeFile(const std::string& path, std::string& text) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  char buffer[4096];
  size_t n;
  text.clear();
  while ((n = std::fread(buffer, 1, sizeof(buffer), in)) > 0) text.append(buffer, n);
  bool ok = !std::ferror(in);
  std::fclose(in);
  return ok;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc != 2) {
    std::fprintf(stderr, "usage: qvdrive <script>\n");
    return 2;
  }
  std::string path = argv[1];
  std::string text, error;
  std::vector<qv::ScriptStep> steps;
  if (!readWholeFile(path, text)) {
    std::fprintf(stderr, "qvdrive: cannot read %s\n", path.c_str());
    return 2;
  }
  if (!qv::parseScript(text, steps, error)) {
    std::fprintf(stderr, "qvdrive: %s: %s\n", path.c_str(), error.c_str());
    return 2;
  }

  qv::StepRunner runner(folderOf(path));
  std::string failureShot = runner.resolvePath("failure.bmp");
  DeleteFileA(failureShot.c_str());  // a picture left by an earlier run would mislead
  for (const qv::ScriptStep& step : steps) {
    std::printf("qvdrive: line %d: %s\n", step.line, step.source.c_str());
    std::string expected, found;
    if (runner.runStep(step, expected, found)) continue;
    std::printf("qvdrive: FAILED at line %d: %s\n  expected: %s\n  found:    %s\n", step.line,
                step.source.c_str(), expected.c_str(), found.c_str());
    std::string why;
    HWND window = runner.currentWindow();
    if (window && !IsWindow(window)) window = nullptr;
    if (qv::saveScreenshot(window, failureShot, why)) {
      std::printf("  screenshot: %s\n", failureShot.c_str());
    } else {
      std::printf("  no screenshot: %s\n", why.c_str());
    }
    runner.endStartedPrograms();
    return 1;
  }
  int left = runner.endStartedPrograms();
  if (left) std::printf("qvdrive: ended %d program(s) still running at the end of the script\n", left);
  std::printf("qvdrive: all %u steps passed\n", unsigned(steps.size()));
  return 0;
}
