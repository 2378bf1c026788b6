// The uninstaller qvpack setup adds to the product package as uninstall.exe: whether
// the product brings its own, and where the program is found otherwise.
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

}  // namespace qvpack
