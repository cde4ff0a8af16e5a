#include "process_cpu.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>

namespace lullex::bench {

double ProcessCpuSeconds(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    std::ifstream file(path);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    // The command name in parentheses may hold blanks; the fields are counted after it.
    const auto nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos)
        throw std::runtime_error("cannot read " + path);
    std::istringstream fields(text.substr(nameEnd + 1));
    // Fields 3 (state) to 13 come before utime (14) and stime (15).
    std::string skipped;
    for (int field = 3; field <= 13; ++field)
        fields >> skipped;
    unsigned long long userTicks = 0;
    unsigned long long systemTicks = 0;
    if (!(fields >> userTicks >> systemTicks))
        throw std::runtime_error("cannot read the CPU times in " + path);
    return static_cast<double>(userTicks + systemTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace lullex::bench
