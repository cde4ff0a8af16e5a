#include "atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace lullex {
namespace {

namespace fs = std::filesystem;

// A temporary file that removes itself unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& beside)
    {
        std::string pattern =
            (beside.parent_path() / ("." + beside.filename().string() + ".XXXXXX")).string();
        m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
        m_created = m_fd >= 0;
        m_path = pattern;
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_created && !m_placed)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return m_created; }
    int fd() const { return m_fd; }
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    bool placeAt(const fs::path& target)
    {
        m_placed = ::rename(m_path.c_str(), target.c_str()) == 0;
        return m_placed;
    }

private:
    fs::path m_path;
    int m_fd = -1;
    bool m_created = false;
    bool m_placed = false;
};

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Only root can give a file away; anyone else saves a file as its own, like any editor, so a
// refused change of owner is no failure.
void keepOwner(int fd, const struct stat& old)
{
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        const bool given = ::fchown(fd, old.st_uid, old.st_gid) == 0;
        static_cast<void>(given);
    }
}

bool writeTemporary(TemporaryFile& temporary, const struct stat& old, std::string_view content)
{
    keepOwner(temporary.fd(), old);
    return writeAll(temporary.fd(), content) &&
           ::fchmod(temporary.fd(), old.st_mode & 07777) == 0 && ::fsync(temporary.fd()) == 0 &&
           temporary.close();
}

// Makes the rename durable. The new file is in place by now, so a failure here cannot undo the
// save: it is only reported on standard error. Some file systems cannot sync a directory; the
// rename is then as safe as they allow.
void syncDirectoryOf(const fs::path& file)
{
    const int fd = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP);
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        std::cerr << "Lullex: saved " << file
                  << ", but its directory could not be synchronised: " << std::strerror(error)
                  << std::endl;
}

}  // namespace

FileStatus regularFileStatus(const fs::path& file)
{
    std::error_code error;
    const fs::file_type type = fs::status(file, error).type();
    if (type == fs::file_type::not_found || (!error && type != fs::file_type::regular))
        return FileStatus::Missing;
    return error ? FileStatus::Inaccessible : FileStatus::Regular;
}

ReplaceResult replaceExistingFile(const fs::path& file, std::string_view content)
{
    const FileStatus status = regularFileStatus(file);
    if (status != FileStatus::Regular)
        return status == FileStatus::Missing ? ReplaceResult::Missing : ReplaceResult::Failed;
    std::error_code error;
    const fs::path target = fs::canonical(file, error);
    if (error)
        return ReplaceResult::Failed;
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0 ||
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return ReplaceResult::Failed;
    TemporaryFile temporary(target);
    if (!temporary.created() || !writeTemporary(temporary, old, content) ||
        !temporary.placeAt(target))
        return ReplaceResult::Failed;
    syncDirectoryOf(target);
    return ReplaceResult::Replaced;
}

}  // namespace lullex
