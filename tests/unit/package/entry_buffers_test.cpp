// The entry buffers kept from entry to entry during extraction: used again they must
// still come cleared, or a damaged block would be filled up with the bytes of the
// entry before it instead of zeros.
#include <gtest/gtest.h>

#include "package/extract.h"
#include "package/package_buffer.h"
#include "runtime/file.h"
#include "support/scratch_folder.h"
#include "unit/package/package_test_util.h"

namespace {

using namespace qvtest;

TEST(EntryBuffers, UsedAgainTheyComeCleared) {
  qv::ByteBuffer buffer;
  ASSERT_TRUE(buffer.allocate(4096));
  uint8_t* first = buffer.data();
  for (size_t i = 0; i < buffer.size(); ++i) buffer.data()[i] = 0xAB;
  ASSERT_TRUE(buffer.allocate(1000));
  EXPECT_EQ(buffer.data(), first) << "a large enough buffer is used again";
  EXPECT_EQ(buffer.size(), 1000u);
  for (size_t i = 0; i < buffer.size(); ++i) ASSERT_EQ(buffer.data()[i], 0) << i;
  ASSERT_TRUE(buffer.allocate(8192));
  EXPECT_EQ(buffer.size(), 8192u);
  for (size_t i = 0; i < buffer.size(); ++i) ASSERT_EQ(buffer.data()[i], 0) << i;
  buffer.release();
  EXPECT_EQ(buffer.data(), nullptr);
  EXPECT_EQ(buffer.size(), 0u);
}

TEST(EntryBuffers, ADamagedBlockAfterAnotherIsFilledWithZeros) {
  ScratchFolder dir;
  // A block of 0xAB bytes, then a block cut short: what it decodes, then zeros.
  TestEntry before = fileEntry("before.bin", Bytes(3000, 0xAB), true);
  Bytes damaged = literalBlock(Bytes(1000, 0x11));
  damaged.resize(damaged.size() / 2);
  PackageBytes p = makePackage({before, fileEntry("placeholder.bin", Bytes(1000, 0x11), true)});
  // Put the short block in place of the second entry's data and shift the rest.
  qv::PackageEntry& second = p.entries[1];
  Bytes bytes(p.bytes.begin(), p.bytes.begin() + second.offset);
  bytes.insert(bytes.end(), damaged.begin(), damaged.end());
  second.storedSize = int32_t(damaged.size());
  Bytes directory = qv::serializePackageDirectory(p.entries);
  bytes.insert(bytes.end(), directory.begin(), directory.end());
  for (uint32_t v : {uint32_t(directory.size()), uint32_t(directory.size()), 0u, qv::kPackageMagic})
    qv::appendLittleEndian32(bytes, v);
  ASSERT_TRUE(writeBytes(dir / "damaged.pck", bytes));

  qv::Package package;
  ASSERT_TRUE(qv::openPackage(package, dir / "damaged.pck"));
  EXPECT_FALSE(qv::extractPackage(package, dir / "out\\", ""));
  EXPECT_EQ(readBytes(dir / "out\\before.bin"), Bytes(3000, 0xAB));
  Bytes out = readBytes(dir / "out\\placeholder.bin");
  ASSERT_EQ(out.size(), 1000u);
  size_t decoded = 0;
  while (decoded < out.size() && out[decoded] == 0x11) ++decoded;
  EXPECT_LT(decoded, out.size()) << "the block was cut short";
  for (size_t i = decoded; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << "byte " << i << " of the damaged file";
}

}  // namespace
