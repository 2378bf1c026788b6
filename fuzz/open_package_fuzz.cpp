// Arbitrary bytes as a package file in a scratch folder: opened, then extracted
// into a folder three levels below. Nothing may be read outside a buffer (the
// sanitizers watch that), and nothing may appear outside the target folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "package/extract.h"
#include "package/package_reader.h"
#include "runtime/file.h"
#include "runtime/folder_removal.h"
#include "runtime/paths.h"

#include <unistd.h>

namespace {

// Entries larger than this are not extracted: a block may claim up to 2 GiB from
// a few bytes, and allocating that is what the open is meant to allow.
constexpr int64_t kMaxExtracted = 4 << 20;

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<qv::FolderItem> items;
  qv::listFolder(folder, items);
  std::vector<std::string> names;
  for (const auto& item : items) names.push_back(item.name);
  return names;
}


// Counts the entries extraction says it handled.
class CountingHooks : public qv::ExtractionHooks {
 public:
  void onEntryHandled(const qv::PackageEntry&) override { ++handled; }
  size_t handled = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string root = qvfuzz::scratchFolder("open-package-fuzz") + "\\";
  const std::string packagePath = root + "package.bin";
  const std::string target = root + "a\\b\\out\\";
  if (!qv::writeWholeFile(packagePath, data, size)) std::abort();

  qv::Package package;
  bool opened = qv::openPackage(package, packagePath);
  if (!opened) {
    if (!package.entries().empty() || package.totalSize() != 0) std::abort();
    return 0;
  }
  int64_t total = 0;
  for (const auto& e : package.entries()) {
    if (e.size < 0 || e.storedSize < 0) std::abort();
    total += e.size;
    if (e.size > kMaxExtracted) return 0;
  }
  if (total != package.totalSize()) std::abort();
  if (package.entries().size() > 2000 || total > 4 * kMaxExtracted) return 0;

  qv::ensureFolderChain(target);
  qv::extractPackage(package, target, "ini|txt|");
  // A second time, over what the first wrote: with nothing kept, every file with data
  // is handled once, or none when the package cannot be read again.
  CountingHooks counting;
  qv::extractPackage(package, target, "", counting);
  size_t withData = 0;
  for (const auto& e : package.entries()) withData += e.consumesData() ? 1 : 0;
  if (counting.handled != 0 && counting.handled != withData) std::abort();

  if (namesIn(root) != std::vector<std::string>{"a", "package.bin"}) std::abort();
  if (namesIn(root + "a\\") != std::vector<std::string>{"b"}) std::abort();
  if (namesIn(root + "a\\b\\") != std::vector<std::string>{"out"}) std::abort();
  qv::removeFolderTree(target);
  return 0;
}
