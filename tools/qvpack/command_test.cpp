// qvpack test: every entry decoded, every checksum checked.
#include <cstdio>

#include "arguments.h"
#include "commands.h"
#include "package/package_reader.h"
#include "package/package_verify.h"
#include "progress_meter.h"

namespace qvpack {
namespace {

const char* const kHelp =
    "usage: qvpack test <file>\n"
    "\n"
    "Checks a package, or the package a setup executable carries: reads the data of\n"
    "every entry in directory order, unpacks every block and checks its checksum,\n"
    "and checks names, offsets and sizes against the directory. Exits with 1 and\n"
    "names each problem when anything is damaged.\n";

}  // namespace

int runTest(const Arguments& args) {
  ParsedArguments a;
  if (!a.parse("test", args, {})) return kExitUsage;
  if (a.wantsHelp()) {
    std::fputs(kHelp, stdout);
    return kExitOk;
  }
  if (a.positional().size() != 1) return usageError("test", "give one file to test (see qvpack test --help)");
  const std::string& path = a.positional()[0];
  qv::Package package;
  ProgressMeter* meter = nullptr;  // set once the total is known
  if (!qv::openPackage(package, path, [&](const qv::PackageEntry& e) { if (meter) meter->advance(e.size, e.name); }))
    return failure(shownPath(path) + ": " + qv::describePackageOpenError(package.lastError()));
  ProgressMeter counted("testing", package.totalSize());
  meter = &counted;
  std::vector<qv::PackageProblem> problems;
  bool ok = qv::verifyPackage(package, problems);
  counted.finish();
  for (const auto& p : problems) {
    if (p.entryName.empty())
      std::fprintf(stderr, "qvpack: %s: %s\n", shownPath(path).c_str(), p.what.c_str());
    else
      std::fprintf(stderr, "qvpack: %s: entry %s: %s\n", shownPath(path).c_str(), p.entryName.c_str(),
                   p.what.c_str());
  }
  if (!ok) {
    std::fprintf(stderr, "qvpack: %s: damaged (%zu problems)\n", shownPath(path).c_str(), problems.size());
    return kExitFailed;
  }
  std::printf("%s: ok, %zu entries\n", shownPath(path).c_str(), package.entries().size());
  return kExitOk;
}

}  // namespace qvpack
