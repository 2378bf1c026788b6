// Packages made byte by byte for tests, independent of the package writer: entries
// stored raw or as literal-only blocks, the directory raw or as such a block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/jc_bit_writer.h"
#include "codec/jc_block.h"
#include "package/package_directory.h"
#include "package/package_reader.h"
#include "runtime/bytes.h"
#include "runtime/file.h"

namespace qvtest {

using Bytes = std::vector<uint8_t>;

inline Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A block of 8-bit literals only. It is larger than its data, which still makes it
// a block: any stored size other than the size is one.
inline Bytes literalBlock(const Bytes& data) {
  Bytes bits;
  qv::jc::BitWriter w(bits);
  w.putBits(0b0010000, 7);  // nibble prefix, v = 0
  w.putBit(0);              // literal-width code
  w.putBit(1);              // width 8
  for (uint8_t b : data) {
    w.putBit(1);
    w.putBits(b, 8);
  }
  w.putBits(0, 12);  // end code
  w.finish();
  Bytes block = {0x4A, 0x43};
  for (uint32_t v : {uint32_t(data.size()), qv::blockChecksum(data.data(), data.size())})
    for (int i = 0; i < 4; ++i) block.push_back(uint8_t(v >> (8 * i)));
  block.insert(block.end(), bits.begin(), bits.end());
  return block;
}

inline qv::FileTime timeAt(uint64_t seconds) {  // seconds since 1601, as FILETIME
  return qv::FileTime::fromValue(seconds * 10000000ULL);
}

struct TestEntry {
  std::string name;
  int32_t kind = qv::kEntryKindFile;
  Bytes data;           // the unpacked contents
  bool asBlock = false; // stored as a literal block instead of raw
  qv::FileTime creation = timeAt(13300000000ULL);
  qv::FileTime lastWrite = timeAt(13300000100ULL);
};

inline TestEntry fileEntry(const std::string& name, const Bytes& data, bool asBlock = false) {
  TestEntry e;
  e.name = name;
  e.data = data;
  e.asBlock = asBlock;
  return e;
}

inline TestEntry folderEntry(const std::string& name) {
  TestEntry e;
  e.name = name;
  e.kind = qv::kEntryKindFolder;
  return e;
}

struct PackageBytes {
  Bytes bytes;
  std::vector<qv::PackageEntry> entries;  // as the directory holds them
};

// prefix stands for an executable the package is appended to.
inline PackageBytes makePackage(const std::vector<TestEntry>& entries, const Bytes& prefix = {},
                                bool blockDirectory = false) {
  PackageBytes p;
  p.bytes = prefix;
  for (const TestEntry& t : entries) {
    qv::PackageEntry e;
    e.name = t.name;
    e.kind = t.kind;
    e.offset = int32_t(p.bytes.size());
    e.creation = t.creation;
    e.lastWrite = t.lastWrite;
    if (t.kind == qv::kEntryKindFile && !t.data.empty()) {
      Bytes stored = t.asBlock ? literalBlock(t.data) : t.data;
      e.size = int32_t(t.data.size());
      e.storedSize = int32_t(stored.size());
      p.bytes.insert(p.bytes.end(), stored.begin(), stored.end());
    }
    p.entries.push_back(e);
  }
  Bytes directory = qv::serializePackageDirectory(p.entries);
  Bytes stored = blockDirectory ? literalBlock(directory) : directory;
  p.bytes.insert(p.bytes.end(), stored.begin(), stored.end());
  for (uint32_t v : {uint32_t(directory.size()), uint32_t(stored.size()), uint32_t(prefix.size()), qv::kPackageMagic})
    qv::appendLittleEndian32(p.bytes, v);
  return p;
}

// The package's bytes with its directory written anew from `p.entries` (raw), for
// entries changed after makePackage.
inline Bytes rebuildDirectory(const PackageBytes& p) {
  size_t end = p.bytes.size() - qv::kPackageTrailerSize;
  uint32_t storedSize = qv::loadLittleEndian32(&p.bytes[end + 4]);
  uint32_t dataStart = qv::loadLittleEndian32(&p.bytes[end + 8]);
  Bytes bytes(p.bytes.begin(), p.bytes.begin() + std::ptrdiff_t(end - storedSize));
  Bytes directory = qv::serializePackageDirectory(p.entries);
  bytes.insert(bytes.end(), directory.begin(), directory.end());
  for (uint32_t v : {uint32_t(directory.size()), uint32_t(directory.size()), dataStart, qv::kPackageMagic})
    qv::appendLittleEndian32(bytes, v);
  return bytes;
}

inline bool writeBytes(const std::string& path, const Bytes& bytes) {
  return qv::writeWholeFile(path, bytes.data(), bytes.size());
}

inline Bytes readBytes(const std::string& path) {
  Bytes b;
  qv::readWholeFile(path, b);
  return b;
}

// Overwrites the 32-bit field at position from the end of the bytes.
inline void patchFromEnd(Bytes& bytes, size_t fromEnd, uint32_t v) {
  size_t at = bytes.size() - fromEnd;
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}

}  // namespace qvtest
