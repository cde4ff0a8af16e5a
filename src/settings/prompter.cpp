#include "prompter.h"

#include <cstdio>

namespace lullex {

void WriteToStandardError(const MessageBox& box)
{
    std::string text = box.title + '\n';
    for (const std::string& line : box.lines)
        text += line + '\n';
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace lullex
