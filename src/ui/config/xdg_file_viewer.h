#pragma once

#include "log_viewer.h"

#include <QString>

namespace lullex {

// The desktop's viewer for a file: xdg-open, started detached with the file's name as its one
// argument. No shell and no splitting, so blanks and "$(...)" in the name are harmless.
class XdgFileViewer : public FileViewerLauncher {
public:
    explicit XdgFileViewer(QString program = QStringLiteral("xdg-open"));

    bool launch(const std::string& file) override;

private:
    QString m_program;
};

}  // namespace lullex
