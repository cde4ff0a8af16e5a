#include "log_paths.h"

#include <algorithm>

namespace lullex {

std::string withForwardSlashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string logDirectoryPath(const Settings& settings)
{
    return withForwardSlashes(settings.LogPath);
}

std::string logFilePath(const Settings& settings)
{
    return withForwardSlashes(settings.LogPath + settings.LogName);
}

}  // namespace lullex
