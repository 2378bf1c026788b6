#include "builder/package_verify.h"

#include <cstdint>

#include "codec/jc_encode.h"
#include "package/extract.h"
#include "package/extract_names.h"

namespace qv {
namespace {

void checkEntryFields(const PackageEntry& e, int64_t expectedOffset, std::vector<PackageProblem>& problems) {
  if (!e.isFile() && !e.isFolder())
    problems.push_back({e.name, "unknown entry kind " + std::to_string(e.kind)});
  if (!isSafeEntryName(e.name)) problems.push_back({e.name, "unsafe name: it would leave the target folder"});
  if (e.isFolder() && (e.name.empty() || e.name.back() != '\\'))
    problems.push_back({e.name, "folder name without a trailing backslash"});
  if (!e.consumesData() && e.storedSize != 0)
    problems.push_back({e.name, "stored size " + std::to_string(e.storedSize) + " for an entry without data"});
  if (e.consumesData() && e.offset != expectedOffset)
    problems.push_back({e.name, "offset " + std::to_string(e.offset) + " where its data begins at " +
                                    std::to_string(expectedOffset)});
}

// Unpacks into `unpacked` what is no raw entry; true when the data is sound.
bool checkEntryData(const PackageEntry& e, const ByteBuffer& stored, ByteBuffer& unpacked,
                    std::vector<PackageProblem>& problems) {
  if (e.isStoredRaw()) return true;
  uint32_t claimed = 0;
  if (!readBlockUnpackedSize(stored.data(), stored.size(), claimed)) {
    problems.push_back({e.name, "stored size differs from size, but the data is no block"});
    return false;
  }
  if (claimed != uint32_t(e.size)) {
    problems.push_back({e.name, "block unpacks to " + std::to_string(claimed) + " bytes, the entry has " +
                                    std::to_string(e.size)});
    return false;
  }
  if (!unpacked.allocate(size_t(e.size) + 8)) {
    problems.push_back({e.name, "too large to unpack in the memory available"});
    return false;
  }
  if (unpackBlock(stored.data(), stored.size(), unpacked.data(), unpacked.size()) != size_t(e.size)) {
    problems.push_back({e.name, "block does not unpack (damaged data or checksum mismatch)"});
    return false;
  }
  return true;
}

}  // namespace

bool verifyPackage(const Package& package, std::vector<PackageProblem>& problems,
                   const EntryContentsProcedure& contents, const EntryProgressProcedure& progress) {
  problems.clear();
  if (!package.isLoaded()) {
    problems.push_back({"", describePackageOpenError(package.lastError())});
    return false;
  }
  PackageDataReader data;
  if (!data.open(package)) {
    problems.push_back({"", "cannot be opened again to read its data"});
    return false;
  }
  int64_t position = package.dataStart();
  bool dataLeft = true;
  for (const PackageEntry& e : package.entries()) {
    checkEntryFields(e, position, problems);
    if (!e.consumesData()) continue;
    ByteBuffer stored;
    PackageDataReader::Read read = dataLeft ? data.readNext(stored, size_t(e.storedSize))
                                            : PackageDataReader::Read::RunsOut;
    if (dataLeft && read == PackageDataReader::Read::RunsOut) {
      problems.push_back({e.name, "the package ends before the data of this entry"});
      dataLeft = false;
    }
    position += e.storedSize;
    if (!dataLeft) continue;
    if (read == PackageDataReader::Read::NoMemory) {
      problems.push_back({e.name, "too large to read in the memory available"});
      continue;
    }
    ByteBuffer unpacked;
    if (checkEntryData(e, stored, unpacked, problems) && contents) {
      const ByteBuffer& sound = e.isStoredRaw() ? stored : unpacked;
      contents(e, sound.data(), size_t(e.size));
    }
    if (progress) progress(e);
  }
  if (dataLeft && position != package.dataEnd())
    problems.push_back({"", std::to_string(package.dataEnd() - position) +
                                " bytes between the entries' data and the directory are unaccounted for"});
  return problems.empty();
}

}  // namespace qv
