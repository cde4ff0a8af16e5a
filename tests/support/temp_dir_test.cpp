#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lullex::test {
namespace {

TEST(TempDirTest, IsAFreshPrivateDirectory)
{
    TempDir first;
    TempDir second;
    EXPECT_NE(first.path(), second.path());
    EXPECT_TRUE(std::filesystem::is_empty(first.path()));
    struct stat info {};
    ASSERT_EQ(stat(first.path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(TempDirTest, IsRemovedWithEverythingInIt)
{
    std::filesystem::path path;
    {
        TempDir dir;
        path = dir.path();
        WriteWholeFile(dir.file("Data/Lullex.ini"), "x");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TempDirTest, FilesKeepTheirExactBytes)
{
    TempDir dir;
    const std::string bytes = std::string("a\r\nb\0c\xff", 7);
    WriteWholeFile(dir.file("sub/dir/file.bin"), bytes);
    EXPECT_EQ(ReadWholeFile(dir.file("sub/dir/file.bin")), bytes);
    WriteWholeFile(dir.file("sub/dir/file.bin"), "short");
    EXPECT_EQ(ReadWholeFile(dir.file("sub/dir/file.bin")), "short");
}

TEST(TempDirTest, ReadingAMissingFileThrows)
{
    TempDir dir;
    EXPECT_THROW(ReadWholeFile(dir.file("missing")), std::runtime_error);
}

}  // namespace
}  // namespace lullex::test
