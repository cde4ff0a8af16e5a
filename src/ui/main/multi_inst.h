#pragma once

#include <QDialog>

namespace lullex {

class Terminator;

// The window a second copy shows instead of starting: it says that Lullex already runs, and
// its OK button ends this copy. It answers keys as a dialog does: Enter presses OK, and Esc
// (like the close box) ends this copy as well, since there is nothing else to choose.
class MultiInst : public QDialog {
    Q_OBJECT
public:
    explicit MultiInst(Terminator& terminator, QWidget* parent = nullptr);

signals:
    void logoClicked();

private:
    Terminator& m_terminator;
};

}  // namespace lullex
