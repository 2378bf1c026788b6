// qvpack extract: every entry written below a folder, with the stub's safety rule.
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "package/extract.h"
#include "package/package_reader.h"
#include "progress_meter.h"
#include "runtime/paths.h"
#include "terminal.h"

namespace qvpack {
namespace {

const char* const kHelp =
    "usage: qvpack extract <file> <folder> [--keep LIST]\n"
    "\n"
    "Extracts a package, or the package a setup executable carries, below <folder>\n"
    "(created when missing), as the setup stub does: folders, files with their\n"
    "times, empty files; existing files are replaced. Entries whose names would leave\n"
    "the folder (absolute, with a drive or \":\", or with a \"..\" part) are not\n"
    "written. Exits with 0 only when every entry was extracted.\n"
    "\n"
    "  --keep LIST    keep existing files with these extensions, as \"ini|cfg|\"\n";

class ReportingHooks : public qv::ExtractionHooks {
 public:
  ReportingHooks(const std::string& path, ProgressMeter& meter) : path_(path), meter_(meter) {}
  void onEntryFailed(const qv::PackageEntry& entry, qv::EntryFailure failure) override {
    std::fprintf(stderr, "qvpack: %s: entry %s: %s\n", path_.c_str(), convertAnsiForConsole(entry.name).c_str(),
                 qv::describeEntryFailure(failure));
    ++failures;
  }
  void onEntryHandled(const qv::PackageEntry& entry) override { meter_.advance(entry.size, entry.name); }
  int failures = 0;

 private:
  std::string path_;
  ProgressMeter& meter_;
};

}  // namespace

int runExtract(const Arguments& args) {
  ParsedArguments a;
  if (!a.parse("extract", args, {{"--keep", true}})) return kExitUsage;
  if (a.wantsHelp()) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  if (a.positional().size() != 2)
    return usageError("extract", "give the file and the target folder (see qvpack extract --help)");
  const std::string& path = a.positional()[0];
  const std::string& target = a.positional()[1];
  qv::Package package;
  if (!qv::openPackage(package, path))
    return failure(shownPath(path) + ": " + qv::describePackageOpenError(package.lastError()));
  ProgressMeter meter("extracting", package.totalSize());
  if (!qv::ensureFolderPath(target)) return failure(shownPath(target) + ": the folder cannot be created");
  ReportingHooks hooks(shownPath(path), meter);
  bool ok = qv::extractPackage(package, target, a.value("--keep"), hooks);
  meter.finish();
  if (!ok) {
    if (hooks.failures == 0) return failure(shownPath(path) + ": cannot be read for extraction");
    return failure(shownPath(path) + ": " + std::to_string(hooks.failures) + " entries were not extracted");
  }
  return kExitOk;
}

}  // namespace qvpack
