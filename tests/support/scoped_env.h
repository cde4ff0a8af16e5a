#pragma once

#include <filesystem>
#include <list>
#include <map>
#include <optional>
#include <string>

namespace lullex::test {

// Sets (or, with nothing, removes) a variable of this process until the object goes, then puts
// back what was there, so that a failed assertion cannot leave the change to later tests.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    // Changes the variable again; the value from before the object came is still restored.
    void set(const std::optional<std::string>& value);

private:
    std::string m_name;
    std::optional<std::string> m_saved;
};

// Several variables set at once, each put back when the object goes.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::map<std::string, std::string>& variables);

private:
    std::list<ScopedEnv> m_variables;
};

// Makes a directory this process's working directory until the object goes, then returns to
// the one before. Throws std::filesystem::filesystem_error when the directory cannot be entered.
class ScopedCwd {
public:
    explicit ScopedCwd(const std::filesystem::path& directory);
    ~ScopedCwd();
    ScopedCwd(const ScopedCwd&) = delete;
    ScopedCwd& operator=(const ScopedCwd&) = delete;

private:
    std::filesystem::path m_saved;
};

}  // namespace lullex::test
