// qvpack test: every entry decoded, every checksum checked, and so too in the product
// package that a setup executable carries.
#include <cstdio>

#include "arguments.h"
#include "builder/package_verify.h"
#include "commands.h"
#include "package/package_reader.h"
#include "progress_meter.h"
#include "runtime/file.h"
#include "temporary_file.h"
#include "terminal.h"

namespace qvpack {
namespace {

const char* const kHelp =
    "usage: qvpack test <file>\n"
    "\n"
    "Checks a package, or the package a setup executable carries: reads the data of\n"
    "every entry in directory order, unpacks every block and checks its checksum,\n"
    "and checks names, offsets and sizes against the directory. When the package\n"
    "holds the product package setup.pck at its top, as a setup executable's does,\n"
    "that is checked the same way, entry by entry (through a copy in the temporary\n"
    "folder, removed afterwards). Exits with 1 and names each problem when anything\n"
    "is damaged; a problem inside setup.pck reads \"entry setup.pck: entry <name>: ...\".\n";

// The entry name under which a setup package carries the product package.
const char* const kProductEntry = "setup.pck";

// Opens and checks the package at path, with a progress meter. False when it is no
// package at all; the reason is then the only problem.
bool checkPackage(const std::string& path, const char* what, qv::Package& package,
                  std::vector<qv::PackageProblem>& problems, const qv::EntryContentsProcedure& contents = nullptr) {
  if (!qv::openPackage(package, path)) {
    problems = {{"", qv::describePackageOpenError(package.lastError())}};
    return false;
  }
  ProgressMeter meter(what, package.totalSize());
  qv::verifyPackage(package, problems, contents, [&](const qv::PackageEntry& e) { meter.advance(e.size, e.name); });
  return true;
}

const qv::PackageEntry* findProductEntry(const qv::Package& package) {
  for (const qv::PackageEntry& e : package.entries())
    if (e.isFile() && e.name == kProductEntry) return &e;
  return nullptr;
}

// Checks the product package whose bytes are in `copy`; its problems join the
// outer ones, named under the entry. Returns its number of entries.
size_t checkProductPackage(const std::string& copy, std::vector<qv::PackageProblem>& problems) {
  qv::Package inner;
  std::vector<qv::PackageProblem> found;
  checkPackage(copy, "testing setup.pck", inner, found);
  for (const qv::PackageProblem& p : found)
    problems.push_back({kProductEntry, p.entryName.empty() ? p.what : "entry " + p.entryName + ": " + p.what});
  return inner.entries().size();
}

void reportProblems(const std::string& shown, const std::vector<qv::PackageProblem>& problems) {
  for (const auto& p : problems) {
    if (p.entryName.empty())
      std::fprintf(stderr, "qvpack: %s: %s\n", shown.c_str(), convertAnsiForConsole(p.what).c_str());
    else
      std::fprintf(stderr, "qvpack: %s: entry %s: %s\n", shown.c_str(), convertAnsiForConsole(p.entryName).c_str(),
                   convertAnsiForConsole(p.what).c_str());
  }
}

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
  const std::string shown = shownPath(path);
  qv::Package package;
  std::vector<qv::PackageProblem> problems;
  // The product package's bytes are copied out as the outer check meets them sound,
  // so they are read once; a damaged copy is reported there already.
  TemporaryFile copy;
  bool copied = false, copyFailed = false;
  auto copyProduct = [&](const qv::PackageEntry& e, const uint8_t* data, size_t n) {
    if (e.name != kProductEntry || copied || copyFailed) return;  // the first one, should there be two
    copied = copy.create() && qv::writeWholeFile(copy.path(), data, n);
    copyFailed = !copied;
  };
  if (!checkPackage(path, "testing", package, problems, copyProduct))
    return failure(shown + ": " + problems.front().what);

  const qv::PackageEntry* product = findProductEntry(package);
  size_t productEntries = 0;
  if (product && product->size == 0)
    problems.push_back({kProductEntry, "empty, so it holds no package"});
  else if (copied)
    productEntries = checkProductPackage(copy.path(), problems);
  else if (copyFailed)
    problems.push_back({kProductEntry, "cannot be copied to a temporary file, so its entries were not checked"});

  reportProblems(shown, problems);
  if (!problems.empty()) {
    std::fprintf(stderr, "qvpack: %s: damaged (%zu problems)\n", shown.c_str(), problems.size());
    return kExitFailed;
  }
  if (product)
    std::printf("%s: ok, %zu entries; setup.pck: ok, %zu entries\n", shown.c_str(), package.entries().size(),
                productEntries);
  else
    std::printf("%s: ok, %zu entries\n", shown.c_str(), package.entries().size());
  return kExitOk;
}

}  // namespace qvpack
