#pragma once

#include "prompter.h"

class QWidget;

namespace lullex {

// Message boxes as QMessageBox, each echoed to standard error before it shows.
class QtPrompter : public Prompter {
public:
    // The box is centred on and kept above parent (the main window) when one is given, or
    // above the screen that is open over it.
    explicit QtPrompter(QWidget* parent = nullptr);

    BoxAnswer show(const MessageBox& box) override;

private:
    QWidget* m_parent;
};

}  // namespace lullex
