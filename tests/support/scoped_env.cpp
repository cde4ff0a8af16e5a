#include "scoped_env.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace lullex::test {

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name))
{
    if (const char* old = std::getenv(m_name.c_str())) {
        m_saved = old;
    }
    set(value);
}

ScopedEnv::~ScopedEnv()
{
    set(m_saved);
}

void ScopedEnv::set(const std::optional<std::string>& value)
{
    if (value) {
        ::setenv(m_name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

ScopedEnvironment::ScopedEnvironment(const std::map<std::string, std::string>& variables)
{
    for (const auto& [name, value] : variables)
        m_variables.emplace_back(name, value);
}

ScopedCwd::ScopedCwd(const std::filesystem::path& directory)
    : m_saved(std::filesystem::current_path())
{
    std::filesystem::current_path(directory);
}

ScopedCwd::~ScopedCwd()
{
    std::error_code error;
    std::filesystem::current_path(m_saved, error);
    // Every later test of the binary would run in the wrong directory.
    if (error) {
        std::fprintf(stderr, "cannot return to %s: %s\n", m_saved.c_str(), error.message().c_str());
        std::abort();
    }
}

}  // namespace lullex::test
