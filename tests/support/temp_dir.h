#pragma once

#include <filesystem>
#include <string>

namespace lullex::test {

// A fresh private directory (mode 0700) under $TMPDIR or /tmp, removed with everything in it
// when the object goes. Use one per test so that files, sockets and locks never collide.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "lullex-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // A path inside the directory (nothing is created).
    std::filesystem::path file(const std::string& relative) const { return m_path / relative; }

private:
    std::filesystem::path m_path;
};

// The whole content of a file as bytes. Throws std::runtime_error when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Replaces a file with exactly these bytes, creating its parent directories.
// Throws std::runtime_error when it cannot be written.
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace lullex::test
