#pragma once

#include "temp_dir.h"
#include "x_session.h"
#include "x_tools.h"

#include <string>

namespace lullex::test {

// A stand-in for the desktop's opener, xdg-open, put first on the program's PATH: it fails
// with an error, or records the arguments it was given and succeeds.
class FakeOpener {
public:
    enum class Kind { Failing, Recording };
    explicit FakeOpener(Kind kind);

    // The PATH value that finds this opener first.
    std::string pathVariable() const;
    // What a recording opener was given, "COUNT|FIRST", or empty before it ran.
    std::string recorded() const;

private:
    TempDir m_dir{"lullex-opener"};
};

// A PATH value under which no xdg-open can be found.
std::string PathWithoutOpener();

// The Logo picture of a window, found by where each window puts it.
enum class LogoOf { MainWindow, ConfigScreen, AlreadyRunning };
// Clicks it with the pointer (XTest), as a user does.
void ClickLogo(const XSession& session, XWindowId window, LogoOf which);

}  // namespace lullex::test
