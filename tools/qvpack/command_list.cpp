// qvpack list: the entries of a package or setup executable.
#include <cinttypes>
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "package/package_reader.h"
#include "terminal.h"
#include "time_text.h"

namespace qvpack {
namespace {

const char* const kHelp =
    "usage: qvpack list <file>\n"
    "\n"
    "Lists the entries of a package, or of the package a setup executable carries:\n"
    "kind, size, stored size (equal to the size when stored raw), offset of the data,\n"
    "last-write and creation time (UTC) and name, in directory order. Names are\n"
    "stored as Windows-1252 and shown in the console's encoding.\n";

}  // namespace

int runList(const Arguments& args) {
  ParsedArguments a;
  if (!a.parse("list", args, {})) return kExitUsage;
  if (a.wantsHelp()) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  if (a.positional().size() != 1) return usageError("list", "give one file to list (see qvpack list --help)");
  const std::string& path = a.positional()[0];
  qv::Package package;
  if (!qv::openPackage(package, path))
    return failure(shownPath(path) + ": " + qv::describePackageOpenError(package.lastError()));

  std::printf("%s: %zu entries, %" PRId64 " bytes, data start %d, directory %d bytes (stored %d)\n",
              shownPath(path).c_str(), package.entries().size(), package.totalSize(), package.dataStart(),
              package.directorySize(), package.directoryStoredSize());
  std::printf("%-6s %12s %12s %12s  %-19s  %-19s  %s\n", "kind", "size", "stored", "offset", "last write", "created",
              "name");
  for (const qv::PackageEntry& e : package.entries()) {
    const char* kind = e.isFolder() ? "folder" : e.isFile() ? "file" : "other";
    std::printf("%-6s %12d %12d %12d  %-19s  %-19s  %s\n", kind, e.size, e.storedSize, e.offset,
                formatFileTime(e.lastWrite).c_str(), formatFileTime(e.creation).c_str(),
                convertAnsiForConsole(e.name).c_str());
  }
  return kExitOk;
}

}  // namespace qvpack
