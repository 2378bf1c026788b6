// Writing the entries of an open package below a target folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "package/package_buffer.h"
#include "package/package_reader.h"
#include "runtime/file.h"

namespace qv {

enum class EntryFailure {
  UnsafeName,     // the name would leave the target folder; nothing written
  DataRunsOut,    // the package file ends before the entry's data; nothing written
  CannotCreate,   // the file could not be created
  BlockDamaged,   // the block does not unpack; nothing written, an existing file kept
  WriteFailed,    // the file could not be written whole
  NoMemory,       // too large to hold in memory; nothing written, an existing file kept
};

const char* describeEntryFailure(EntryFailure failure);

// What extraction asks of the rest of the stub. The defaults do nothing, so the
// start of a run and qvpack can use the base class as it is.
class ExtractionHooks {
 public:
  // A file could not be created: when the user is no administrator, offers the
  // administrator logon. True when creating it once more is worth trying; the base
  // (qvpack) offers none and answers no.
  virtual bool offerAdministratorLogon() { return false; }
  // An entry failed; extraction goes on with the next one.
  virtual void onEntryFailed(const PackageEntry& entry, EntryFailure failure) {
    (void)entry;
    (void)failure;
  }
  // A file entry with data was handled, written or failed (the wizard's progress bar
  // advances by its size).
  virtual void onEntryHandled(const PackageEntry& entry) { (void)entry; }
  // The package is open and its extraction begins (the wizard's progress bar takes
  // its total size as range).
  virtual void onPackageOpened(const Package& package) { (void)package; }
};

// The data area of a package, read once from the data start in directory order.
class PackageDataReader {
 public:
  // Opens the package file again. False when it cannot be opened.
  bool open(const Package& package);
  enum class Read { Done, RunsOut, NoMemory };
  // Reads the next n bytes into buffer. RunsOut when the data area ends first; then
  // nothing is read any more, since later entries' data cannot be found either.
  // NoMemory when no buffer of n bytes can be had: the bytes are skipped, so that
  // the entries after it still get their own data.
  Read readNext(ByteBuffer& buffer, size_t n);

  // The buffers extraction uses for one entry at a time, kept from entry to entry so
  // that the memory is asked for once: they grow to the largest entry, which bounds
  // what an extraction holds.
  ByteBuffer& storedBytes() { return stored_; }
  ByteBuffer& unpackedBytes() { return unpacked_; }

 private:
  File file_;
  int64_t position_ = 0;
  int64_t end_ = 0;
  bool exhausted_ = false;
  ByteBuffer stored_;
  ByteBuffer unpacked_;
};

// Handles one file entry. An empty one consumes no data: with write on it is created
// empty (replacing a file) and given its times. Any other reads its stored bytes
// from data; with write off (a kept file that exists) they are only consumed, with
// write on they are decoded and only then targetFolder + name is created or replaced,
// filled and given the entry's times, so a damaged block leaves an existing file as it
// was. The hooks are told of the entry either way. False when the entry failed.
bool extractEntry(const PackageEntry& entry, PackageDataReader& data, const std::string& targetFolder, bool write,
                  ExtractionHooks& hooks);

// Writes every entry of the package below targetFolder, in directory order. Files
// whose extension is on the kept-extension "|"-list and that already exist are left
// as they are. True when every entry was handled; false when the package was not
// loaded, its file cannot be opened, or an entry failed (the others still are).
bool extractPackage(const Package& package, const std::string& targetFolder, const std::string& keptExtensions,
                    ExtractionHooks& hooks);
bool extractPackage(const Package& package, const std::string& targetFolder, const std::string& keptExtensions);

}  // namespace qv
