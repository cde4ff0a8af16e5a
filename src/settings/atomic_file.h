#pragma once

#include <filesystem>
#include <string_view>

namespace lullex {

enum class FileStatus {
    Regular,
    Missing,       // nothing there, or something other than a file (a directory)
    Inaccessible,  // a directory on the way may not be searched
};

// What stands at a path, following symbolic links.
FileStatus regularFileStatus(const std::filesystem::path& file);

enum class ReplaceResult {
    Replaced,
    Missing,  // there is no such file; it is never created from nothing
    Failed,   // the file is unchanged
};

// Replaces the whole content of an existing file so that a failure at any point leaves the old
// content whole: the new content goes to a temporary file in the same directory, which takes
// the old file's mode and then its place. A symbolic link keeps pointing at the replaced file.
// A file we may not write is a failure, even though its directory would allow the rename. Once
// the rename is done the file counts as replaced, even if syncing its directory then fails.
ReplaceResult replaceExistingFile(const std::filesystem::path& file, std::string_view content);

}  // namespace lullex
