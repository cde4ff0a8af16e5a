#pragma once

#include "program_end.h"

namespace lullex {

class MainWindowView;

// Ends the process at once: the tray icon goes first, pending output is flushed, and no
// destructor, exit handler or further event runs.
class QtTerminator : public Terminator {
public:
    // view is the main window whose tray icon is removed; none before it exists.
    explicit QtTerminator(MainWindowView* view = nullptr);

    void setView(MainWindowView* view);
    [[noreturn]] void endProgram(int exitCode) override;

private:
    MainWindowView* m_view;
};

}  // namespace lullex
