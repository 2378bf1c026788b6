// JC blocks: the compressed form of package entries and package directories.
// A block is a 10-byte header ("JC", unpacked size, checksum) and a bit stream of
// LZ77-style codes read from 32-bit little-endian words, most significant bit first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

constexpr size_t kBlockHeaderSize = 10;

// The header's unpacked size, or false when the bytes are no block header.
bool readBlockUnpackedSize(const uint8_t* block, size_t blockSize, uint32_t& unpackedSize);

// Decodes one block of blockSize bytes into out, which holds outCapacity bytes (at
// least the unpacked size). Returns the number of bytes written, 0 on failure: wrong
// magic, a checksum mismatch, or a damaged stream (one that would read past the
// block, write past the unpacked size or copy from before the start of the output).
size_t unpackBlock(const uint8_t* block, size_t blockSize, uint8_t* out, size_t outCapacity);

// The block checksum of n bytes (0 for fewer than 4).
uint32_t blockChecksum(const uint8_t* data, size_t n);

}  // namespace qv
