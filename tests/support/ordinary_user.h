#pragma once

#include <filesystem>
#include <functional>

namespace lullex::test {

// Runs a check as an ordinary user, for what only permission bits decide (a file we may not
// read, a directory we may not write), which root passes through. As an ordinary user it just
// runs. As root it runs in a child process that first gives the tree to the user nobody and
// becomes nobody; the child's failures are reported as they happen and fail the test. Only for
// single-threaded test programs: the child is a plain fork.
void RunAsOrdinaryUser(const std::filesystem::path& tree, const std::function<void()>& check);

}  // namespace lullex::test
