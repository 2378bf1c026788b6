// The entry buffers kept from entry to entry during extraction: used again they must
// still come cleared, and an entry after a damaged one must come out whole.
#include <gtest/gtest.h>

#include "package/extract.h"
#include "package/package_buffer.h"
#include "runtime/bytes.h"
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

TEST(EntryBuffers, ADamagedBlockBetweenTwoOthersTouchesNeitherItsFileNorTheNext) {
  ScratchFolder dir;
  // A block of 0xAB bytes, a block cut short, then a smaller block of 0x22 bytes that
  // reuses the buffers of the first two.
  TestEntry before = fileEntry("before.bin", Bytes(3000, 0xAB), true);
  Bytes damaged = literalBlock(Bytes(1000, 0x11));
  damaged.resize(damaged.size() / 2);
  PackageBytes p = makePackage({before, fileEntry("placeholder.bin", Bytes(1000, 0x11), true),
                                fileEntry("after.bin", Bytes(700, 0x22), true)});
  // Put the short block in place of the second entry's data and shift the rest.
  qv::PackageEntry& second = p.entries[1];
  const qv::PackageEntry& third = p.entries[2];
  Bytes bytes(p.bytes.begin(), p.bytes.begin() + second.offset);
  bytes.insert(bytes.end(), damaged.begin(), damaged.end());
  bytes.insert(bytes.end(), p.bytes.begin() + third.offset, p.bytes.begin() + third.offset + third.storedSize);
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
  EXPECT_FALSE(qv::fileExists(dir / "out\\placeholder.bin"));
  EXPECT_EQ(readBytes(dir / "out\\after.bin"), Bytes(700, 0x22));
}

}  // namespace
