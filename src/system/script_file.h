// The package's script file: VBScript or JScript, run through the system's script
// control after four constants that name the install folder, the temporary folder,
// the start-menu path and the product GUID, handed to the script host
// (system/script_host.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "system/script_host.h"

namespace qv {

enum class ScriptLanguage { None, VBScript, JScript };

// By the file name's extension (after its last "."), compared in lower case: "vbs"
// or "js"; anything else is no script language.
ScriptLanguage scriptLanguageOf(const std::string& path);

// The name the script host knows the language by: "VBScript" or "JScript".
const char* scriptLanguageName(ScriptLanguage language);

// Values of the header constants, written between the quotes as the language's string
// literals hold them.
struct ScriptConstants {
  std::string progDir;       // qvProgDir: the install folder
  std::string setupDir;      // qvSetupDir: the temporary folder
  std::string startMenuDir;  // qvStartMenuDir: the start-menu path
  std::string guid;          // qvGUID: the product GUID
};

// The four constant lines in the language's form, each ending in CR LF ("Const" in
// VBScript, "var" in JScript); empty for no language.
std::string scriptHeader(ScriptLanguage language, const ScriptConstants& constants);

// Appends every line of the file's bytes without its line break (CR LF, LF or a lone
// CR) and then CR LF. A last line without a break is appended too.
void appendScriptLines(std::string& text, std::string_view fileBytes);

// The script timeout the installer sets, in milliseconds.
constexpr int32_t kScriptTimeout = 20000;

// Reads the file and, for a VBScript or JScript file, hands header and script to the
// host. 1 when the script ran; 0 when the file cannot be read, its language is unknown,
// there is no host (it could not be created at start), or the host refused the code
// (it does not compile, or failed as it ran).
int runScriptFile(const std::string& path, const ScriptConstants& constants, ScriptHost* host);

}  // namespace qv
