// qvpack build: a product package from a folder.
#include <cstdio>

#include "arguments.h"
#include "builder/package_folder_source.h"
#include "builder/package_writer.h"
#include "commands.h"
#include "progress_meter.h"
#include "runtime/file.h"
#include "terminal.h"

namespace qvpack {
namespace {

const char* const kHelp =
    "usage: qvpack build <folder> -o <package> [--level N] [--mtime <time>]\n"
    "\n"
    "Packs the whole tree below <folder> (not the folder itself) into a package file\n"
    "of its own: every file and folder in name order, with creation and last-write\n"
    "times, empty folders included. Each file is packed, or stored raw when packing\n"
    "would not make it smaller. Entry names are Windows-1252: a file or folder whose\n"
    "name has characters outside it is refused, and nothing is written.\n"
    "\n"
    "  -o <package>   the package to write (replaced when it exists)\n"
    "  --level N      0 stores everything raw, 1 (fastest) to 9 (smallest); default 6\n"
    "  --mtime <time> gives every entry this time instead of its file's: seconds since\n"
    "                 1970 or 2020-01-01T00:00:00Z (UTC); SOURCE_DATE_EPOCH does the same\n";

}  // namespace

int runBuild(const Arguments& args) {
  ParsedArguments a;
  if (!a.parse("build", args, {{"-o", true}, {"--level", true}, {"--mtime", true}})) return kExitUsage;
  if (a.wantsHelp()) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  int level = 0;
  bool timeFixed = false;
  qv::FileTime fixedTime;
  if (!a.level(level) || !a.fixedTime(timeFixed, fixedTime)) return kExitUsage;
  if (a.positional().size() != 1) return usageError("build", "give one folder to pack (see qvpack build --help)");
  if (!a.has("-o")) return usageError("build", "give the package to write with -o <package>");
  const std::string& folder = a.positional()[0];
  std::string output = a.value("-o");
  if (!qv::folderExists(folder)) return failure(shownPath(folder) + ": no such folder");
  qv::FolderTreeSurvey survey = qv::surveyFolderTree(folder);
  if (!survey.unconvertedHostName.empty()) return failure(describeUnconvertedName(survey));

  qv::PackageWriter writer;
  writer.setLevel(level);
  if (timeFixed) writer.setFixedTime(fixedTime);
  ProgressMeter meter("packing", survey.bytes);
  bool ok = writer.create(output) &&
            qv::addFolderTree(writer, folder, "",
                              [&](const std::string& name, int64_t size) { meter.advance(size, name); }) &&
            writer.finish();
  meter.finish();
  if (!ok) {
    writer.abandon();
    qv::removeFile(output);
    return failure(shownPath(writer.error()));
  }
  return kExitOk;
}

}  // namespace qvpack
