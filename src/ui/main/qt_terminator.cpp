#include "qt_terminator.h"

#include "main_window_view.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace lullex {

QtTerminator::QtTerminator(MainWindowView* view) : m_view(view)
{
}

void QtTerminator::setView(MainWindowView* view)
{
    m_view = view;
}

void QtTerminator::endProgram(int exitCode)
{
    if (m_view)
        m_view->removeTrayIcon();
    // _Exit skips the C library's flush; what was written must still reach a pipe or a file.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

}  // namespace lullex
