// Packages in signed executables: the certificate table the signature appends after the
// package, recorded in the PE header's security directory.
#include <gtest/gtest.h>

#include "package/package_reader.h"
#include "runtime/bytes.h"
#include "support/scratch_folder.h"
#include "unit/package/package_test_util.h"

namespace {

using namespace qvtest;

void store32(Bytes& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (8 * i));
}

// The headers of a PE32 (or PE32+) image up to its data directories, padded to 1 KB.
Bytes peHeaders(bool pe32Plus) {
  Bytes image(1024, 0);
  image[0] = 'M', image[1] = 'Z';
  store32(image, 0x3C, 0x80);
  image[0x80] = 'P', image[0x81] = 'E';
  const size_t optional = 0x80 + 24;
  image[0x80 + 20] = pe32Plus ? 240 : 224;  // the optional header's size
  image[optional] = 0x0B, image[optional + 1] = pe32Plus ? 0x02 : 0x01;
  store32(image, optional + (pe32Plus ? 108 : 92), 16);  // 16 data directories
  return image;
}

// The executable signed: `padding` zero bytes, then a certificate table the security
// directory names.
Bytes signedFile(Bytes file, bool pe32Plus, size_t padding, bool tableEndsTheFile = true) {
  file.resize(file.size() + padding, 0);
  const size_t start = file.size();
  Bytes table(200, 0x30);
  file.insert(file.end(), table.begin(), table.end());
  const size_t security = 0x80 + 24 + (pe32Plus ? 112 : 96) + 4 * 8;
  store32(file, security, uint32_t(start));
  store32(file, security + 4, uint32_t(table.size() + (tableEndsTheFile ? 0 : 8)));
  return file;
}

std::vector<TestEntry> entries() {
  return {folderEntry("bin\\"), fileEntry("bin\\tool.exe", bytesOf("tool bytes"), true)};
}

}  // namespace

TEST(SignedExecutable, PackageEndsWhereTheCertificateTableBegins) {
  ScratchFolder dir;
  for (bool pe32Plus : {false, true}) {
    for (size_t padding : {0u, 1u, 7u}) {
      SCOPED_TRACE(std::to_string(pe32Plus) + " padding " + std::to_string(padding));
      PackageBytes p = makePackage(entries(), peHeaders(pe32Plus), true);
      const size_t unsignedSize = p.bytes.size();
      ASSERT_TRUE(writeBytes(dir / "setup.exe", signedFile(p.bytes, pe32Plus, padding)));
      qv::Package package;
      ASSERT_TRUE(qv::openPackage(package, dir / "setup.exe")) << qv::describePackageOpenError(package.lastError());
      EXPECT_EQ(package.entries().size(), 2u);
      EXPECT_EQ(package.dataEnd(), int64_t(unsignedSize) - 16 - package.directoryStoredSize());
    }
  }
}

TEST(SignedExecutable, OtherFilesAndDamageAreReportedAsBefore) {
  ScratchFolder dir;
  PackageBytes p = makePackage(entries(), peHeaders(false), true);
  qv::Package package;
  // A table that does not end the file, and eight bytes of padding, are no signature.
  for (const Bytes& file : {signedFile(p.bytes, false, 0, false), signedFile(p.bytes, false, 8)}) {
    ASSERT_TRUE(writeBytes(dir / "setup.exe", file));
    EXPECT_FALSE(qv::openPackage(package, dir / "setup.exe"));
    EXPECT_EQ(package.lastError(), qv::PackageOpenError::NoMagic);
  }
  // Padding that is not zero.
  Bytes file = signedFile(p.bytes, false, 2);
  file[p.bytes.size()] = 1;
  ASSERT_TRUE(writeBytes(dir / "setup.exe", file));
  EXPECT_FALSE(qv::openPackage(package, dir / "setup.exe"));
  // A package damaged after signing: its directory's size in the trailer changed.
  file = signedFile(p.bytes, false, 0);
  store32(file, p.bytes.size() - 16, 0x7FFFFFF0);
  ASSERT_TRUE(writeBytes(dir / "setup.exe", file));
  EXPECT_FALSE(qv::openPackage(package, dir / "setup.exe"));
  EXPECT_EQ(package.lastError(), qv::PackageOpenError::DirectoryTooLarge);
}
