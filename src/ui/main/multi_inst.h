#pragma once

#include <QWidget>

namespace lullex {

class Terminator;

// The window a second copy shows instead of starting: it says that Lullex already runs, and
// its OK button ends this copy.
class MultiInst : public QWidget {
    Q_OBJECT
public:
    explicit MultiInst(Terminator& terminator, QWidget* parent = nullptr);

signals:
    void logoClicked();

private:
    Terminator& m_terminator;
};

}  // namespace lullex
