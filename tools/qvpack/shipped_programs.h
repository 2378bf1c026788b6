// The programs qvpack setup builds with: the stub, found where qvpack was installed or
// built when none is given, and the uninstaller it adds to the product package as
// uninstall.exe, unless the product brings its own.
#pragma once

#include <string>

namespace qvpack {

// The name the stub's uninstall entry and links start, at the top of the install folder.
inline constexpr char kUninstallerEntryName[] = "uninstall.exe";
// The uninstaller program as the build makes it and a release ships it.
inline constexpr char kUninstallerProgramName[] = "quarvel-uninstall.exe";

// Whether the product folder holds an uninstall.exe at its top, in any letter case:
// Windows would find either name, so the product's own is kept.
bool productHasOwnUninstaller(const std::string& productFolder);

// The uninstaller beside the stub (a release holds both in one folder), else the build
// tree's: <stub's folder>/../uninstaller/, where the stub lies in src/stub/ and the
// uninstaller in src/uninstaller/. Empty when neither is a file.
std::string findUninstallerBesideStub(const std::string& stubPath);

// The stub's file name, as the build makes it and a release ships it.
inline constexpr char kStubProgramName[] = "quarvel-setup.exe";

// The stub installed with qvpack (<prefix>/share/quarvel-setup/, qvpack in <prefix>/bin/),
// else the one beside it, else the build tree's (qvpack in build/native/tools/qvpack/,
// the stub in build/win32/src/stub/). Empty when none is a file.
std::string findStubForProgram(const std::string& qvpackPath);

}  // namespace qvpack
