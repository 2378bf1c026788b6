#include "system/script_file.h"

#include "runtime/file.h"
#include "runtime/paths.h"
#include "runtime/text.h"

namespace qv {
namespace {

struct HeaderForm {
  const char* lineStarts[4];
  const char* lineEnd;
};

const HeaderForm kVbScriptHeader = {
    {"Const qvProgDir = \"", "Const qvSetupDir = \"", "Const qvStartMenuDir = \"", "Const qvGUID = \""}, "\"\r\n"};
// "var", not "const": the classic script engine knows no constants.
const HeaderForm kJScriptHeader = {
    {"var qvProgDir  = \"", "var qvSetupDir = \"", "var qvStartMenuDir = \"", "var qvGUID = \""}, "\";\r\n"};

// A value as the language's string literal holds it: JScript escapes backslashes (every
// folder ends in one, which would escape the closing quote) and double quotes; VBScript
// takes backslashes as they are and doubles a double quote.
std::string quotedValue(ScriptLanguage language, const std::string& value) {
  std::string text;
  for (char c : value) {
    if (language == ScriptLanguage::JScript && (c == '\\' || c == '"')) text.push_back('\\');
    if (language == ScriptLanguage::VBScript && c == '"') text.push_back('"');
    text.push_back(c);
  }
  return text;
}

// The whole file, read in pieces so that a size that changes meanwhile does no harm.
bool readScriptBytes(const std::string& path, std::string& bytes) {
  File file;
  if (!file.open(path, File::Mode::Read)) return false;
  char buffer[4096];
  for (size_t n; (n = file.read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  return true;
}

}  // namespace

ScriptLanguage scriptLanguageOf(const std::string& path) {
  const std::string extension = extensionOf(path);
  if (equalsIgnoringCase(extension, "vbs")) return ScriptLanguage::VBScript;
  if (equalsIgnoringCase(extension, "js")) return ScriptLanguage::JScript;
  return ScriptLanguage::None;
}

const char* scriptLanguageName(ScriptLanguage language) {
  switch (language) {
    case ScriptLanguage::VBScript: return "VBScript";
    case ScriptLanguage::JScript: return "JScript";
    default: return "";
  }
}

std::string scriptHeader(ScriptLanguage language, const ScriptConstants& constants) {
  if (language == ScriptLanguage::None) return std::string();
  const HeaderForm& form = language == ScriptLanguage::VBScript ? kVbScriptHeader : kJScriptHeader;
  const std::string* values[4] = {&constants.progDir, &constants.setupDir, &constants.startMenuDir, &constants.guid};
  std::string header;
  for (size_t i = 0; i < 4; ++i) {
    header += form.lineStarts[i];
    header += quotedValue(language, *values[i]);
    header += form.lineEnd;
  }
  return header;
}

void appendScriptLines(std::string& text, std::string_view bytes) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    text.append(bytes.substr(start, end - start));
    text += "\r\n";
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

int runScriptFile(const std::string& path, const ScriptConstants& constants, ScriptHost* host) {
  std::string bytes;
  if (!readScriptBytes(path, bytes)) return 0;
  const ScriptLanguage language = scriptLanguageOf(path);
  if (language == ScriptLanguage::None || host == nullptr) return 0;
  std::string code = scriptHeader(language, constants);
  appendScriptLines(code, bytes);
  if (!host->setLanguage(scriptLanguageName(language))) return 0;
  host->setTimeout(kScriptTimeout);
  // A script that does not compile or fails as it runs is a failure the run reports.
  return host->addCode(code) ? 1 : 0;
}

}  // namespace qv
