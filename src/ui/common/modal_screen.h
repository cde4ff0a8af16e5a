#pragma once

#include <QDialog>

namespace lullex {

// What the main window's screens (configuration, About) have in common: a modal dialog of
// fixed size in Arial, centred on the screen, optionally kept above other windows. Its Close
// button, Esc and the window's close box all end it through done(), as the main tick does when
// the screen's time is up (LullexMain::closeDialogs). The opener shows it with
// LullexMain::runScreen(), which returns once the screen has closed, whatever closed it; the
// opener then runs the screen's closing routine and deletes it. So the closing routine runs
// exactly once, and never destroys the screen under one of its own running handlers.
class ModalScreen : public QDialog {
    Q_OBJECT
public:
    explicit ModalScreen(QWidget* parent);

    // False once the screen has been closed, also while a handler of it is still running.
    bool isOpen() const { return isVisible(); }
    // Set before the screen shows.
    void setKeptOnTop(bool onTop);

protected:
    // Call once the layout is complete: the screen keeps the size its contents need.
    void fixSize();
    void showEvent(QShowEvent* event) override;
};

}  // namespace lullex
