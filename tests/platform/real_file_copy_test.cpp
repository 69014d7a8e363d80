// Copying on the real file system: the kernel's copy where it can, the tool's own
// loop where it cannot; either way the destination holds exactly the source.
#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace ordwell {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
  return bytes;
}

TEST(RealFileCopy, DestinationHoldsExactlyTheSource) {
  TempDir dir;
  // Empty, small, and bigger than one block of the copy loop.
  for (size_t size : {size_t{0}, size_t{5}, size_t{3} << 20}) {
    const std::string bytes = Pattern(size);
    WriteBytes(dir / "from.snirf", bytes);
    WriteBytes(dir / "to.snirf", Pattern(size + 4096));  // a longer earlier copy is replaced whole
    RealFileSystem().CopyFile(dir / "from.snirf", dir / "to.snirf");
    EXPECT_EQ(ReadBytes(dir / "to.snirf"), bytes) << size << " bytes";
  }
}

TEST(RealFileCopy, FileOfUntoldSizeComesInWhole) {
  // The system reports size 0 for it: the kernel copy sees nothing, the loop reads it all.
  TempDir dir;
  RealFileSystem().CopyFile("/proc/version", dir / "version");
  const std::string copy = ReadBytes(dir / "version");
  EXPECT_FALSE(copy.empty());
  EXPECT_EQ(copy, RealFileSystem().ReadFile("/proc/version"));
}

TEST(RealFileCopy, MissingSourceOrFolderIsAFileError) {
  TempDir dir;
  WriteBytes(dir / "from.snirf", "x");
  EXPECT_THROW(RealFileSystem().CopyFile(dir / "none.snirf", dir / "to.snirf"), FileError);
  EXPECT_THROW(RealFileSystem().CopyFile(dir / "from.snirf", dir / "no/such/folder/to.snirf"), FileError);
}

}  // namespace
}  // namespace ordwell
