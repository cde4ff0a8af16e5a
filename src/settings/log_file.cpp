#include "log_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace lullex {
namespace {

bool writeAll(int descriptor, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool directoryExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool appendToFile(const std::string& path, const std::string& text, FileOpening opening)
{
    int flags = O_WRONLY | O_APPEND | O_CLOEXEC;
    if (opening == FileOpening::Create)
        flags |= O_CREAT;
    const int descriptor = ::open(path.c_str(), flags, 0666);
    if (descriptor < 0)
        return false;
    const bool written = writeAll(descriptor, text);
    // close() can report a write error that write() did not (e.g. on network file systems).
    // On Linux an interrupted close() has still released the descriptor; retrying is wrong.
    const bool closed = ::close(descriptor) == 0 || errno == EINTR;
    return written && closed;
}

}  // namespace lullex
