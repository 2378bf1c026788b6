#include "package/extract.h"

#include "codec/jc_block.h"
#include "package/extract_names.h"
#include "runtime/paths.h"

namespace qv {
namespace {

void failEntry(ExtractionHooks& hooks, const PackageEntry& entry, EntryFailure failure) {
  hooks.onEntryFailed(entry, failure);
}

bool createTarget(File& out, const std::string& path, ExtractionHooks& hooks) {
  if (out.open(path, File::Mode::Replace)) return true;
  return hooks.offerAdministratorLogon() && out.open(path, File::Mode::Replace);
}

bool extractEmptyFile(const PackageEntry& entry, const std::string& path, bool write, ExtractionHooks& hooks) {
  if (!write) return true;
  File out;
  if (!out.open(path, File::Mode::Replace)) {
    failEntry(hooks, entry, EntryFailure::CannotCreate);
    return false;
  }
  out.setTimes(entry.creation, entry.lastWrite);
  return true;
}

// The entry's bytes as they go to disk: the stored ones as they are, or a block's
// unpacked form in `unpacked`. Null, with the failure reported, when the memory cannot
// be had or the block does not unpack whole: the target is then never touched.
const uint8_t* decodeContents(const PackageEntry& entry, const ByteBuffer& stored, ByteBuffer& unpacked,
                              ExtractionHooks& hooks) {
  if (entry.isStoredRaw()) return stored.data();
  size_t size = size_t(entry.size);
  if (!unpacked.allocate(size + 8)) {
    failEntry(hooks, entry, EntryFailure::NoMemory);
    return nullptr;
  }
  uint32_t claimed = 0;
  if (!readBlockUnpackedSize(stored.data(), stored.size(), claimed) || claimed != uint32_t(size) ||
      unpackBlock(stored.data(), stored.size(), unpacked.data(), unpacked.size()) != size) {
    failEntry(hooks, entry, EntryFailure::BlockDamaged);
    return nullptr;
  }
  return unpacked.data();
}

// Creates or replaces the target with the decoded bytes and gives it the entry's times.
bool writeTarget(const PackageEntry& entry, const std::string& path, const uint8_t* contents,
                 ExtractionHooks& hooks) {
  File out;
  if (!createTarget(out, path, hooks)) {
    failEntry(hooks, entry, EntryFailure::CannotCreate);
    return false;
  }
  size_t size = size_t(entry.size);
  bool written = out.write(contents, size) == size;
  if (!written) failEntry(hooks, entry, EntryFailure::WriteFailed);
  // The times go last, so that they are the file's final ones.
  out.setTimes(entry.creation, entry.lastWrite);
  return written;
}

}  // namespace

const char* describeEntryFailure(EntryFailure failure) {
  switch (failure) {
    case EntryFailure::UnsafeName: return "name leaves the target folder; not written";
    case EntryFailure::DataRunsOut: return "the package ends before the data of this entry; not written";
    case EntryFailure::CannotCreate: return "cannot be created";
    case EntryFailure::BlockDamaged: return "damaged data (the block does not unpack)";
    case EntryFailure::WriteFailed: return "cannot be written whole";
    case EntryFailure::NoMemory: return "too large to extract in the memory available";
  }
  return "failed";
}

bool PackageDataReader::open(const Package& package) {
  exhausted_ = false;
  if (!file_.open(package.path(), File::Mode::Read)) return false;
  // The file is read again after openPackage; should it have shrunk since, the data
  // area ends where the file now does.
  int64_t size = file_.size();
  end_ = package.dataEnd() < size ? package.dataEnd() : size;
  position_ = package.dataStart();
  return file_.seek(position_);
}

PackageDataReader::Read PackageDataReader::readNext(ByteBuffer& buffer, size_t n) {
  if (exhausted_ || int64_t(n) > end_ - position_) {
    exhausted_ = true;
    buffer.release();
    return Read::RunsOut;
  }
  if (!buffer.allocate(n)) {
    position_ += int64_t(n);
    if (file_.seek(position_)) return Read::NoMemory;
    exhausted_ = true;
    return Read::RunsOut;
  }
  if (file_.read(buffer.data(), n) != n) {
    exhausted_ = true;
    buffer.release();
    return Read::RunsOut;
  }
  position_ += int64_t(n);
  return Read::Done;
}

bool extractEntry(const PackageEntry& entry, PackageDataReader& data, const std::string& targetFolder, bool write,
                  ExtractionHooks& hooks) {
  std::string path = targetFolder + entry.name;
  bool safe = isSafeEntryName(entry.name);
  if (entry.size == 0) {
    if (!safe && write) {
      failEntry(hooks, entry, EntryFailure::UnsafeName);
      return false;
    }
    return extractEmptyFile(entry, path, write, hooks);
  }

  ByteBuffer& stored = data.storedBytes();
  PackageDataReader::Read read = data.readNext(stored, size_t(entry.storedSize));
  if (read != PackageDataReader::Read::Done) {
    failEntry(hooks, entry, read == PackageDataReader::Read::NoMemory ? EntryFailure::NoMemory
                                                                       : EntryFailure::DataRunsOut);
    if (write) hooks.onEntryHandled(entry);
    return false;
  }
  if (!write) return true;

  bool ok = false;
  if (!safe) {
    failEntry(hooks, entry, EntryFailure::UnsafeName);
  } else if (const uint8_t* contents = decodeContents(entry, stored, data.unpackedBytes(), hooks)) {
    ok = writeTarget(entry, path, contents, hooks);
  }
  hooks.onEntryHandled(entry);
  return ok;
}

bool extractPackage(const Package& package, const std::string& targetFolder, const std::string& keptExtensions,
                    ExtractionHooks& hooks) {
  std::vector<std::string> kept = parseKeptExtensions(keptExtensions);
  std::string target = withTrailingBackslash(targetFolder);
  if (!package.isLoaded()) return false;
  PackageDataReader data;
  if (!data.open(package)) return false;

  bool result = true;
  for (const PackageEntry& entry : package.entries()) {
    bool ok = true;
    if (entry.isFolder()) {
      if (isSafeEntryName(entry.name)) {
        ensureFolderChain(target + entry.name);
      } else {
        failEntry(hooks, entry, EntryFailure::UnsafeName);
        ok = false;
      }
    } else if (entry.isFile()) {
      bool safe = isSafeEntryName(entry.name);
      bool keptIfPresent = safe && !kept.empty() && isKeptExtension(extensionOf(entry.name), kept);
      if (keptIfPresent && fileExists(target + entry.name)) {
        ok = extractEntry(entry, data, target, false, hooks);
      } else {
        if (safe) {
          std::string folder = target;
          ensureFolderChain(folder += folderPartOf(entry.name));
        }
        ok = extractEntry(entry, data, target, true, hooks);
      }
    }
    if (!ok) result = false;
  }
  return result;
}

bool extractPackage(const Package& package, const std::string& targetFolder, const std::string& keptExtensions) {
  ExtractionHooks none;
  return extractPackage(package, targetFolder, keptExtensions, none);
}

}  // namespace qv
