#include "xdg_file_viewer.h"

#include <QProcess>

#include <utility>

namespace lullex {

XdgFileViewer::XdgFileViewer(QString program) : m_program(std::move(program))
{
}

bool XdgFileViewer::launch(const std::string& file)
{
    QString argument = QString::fromStdString(file);
    // A relative name beginning with "-" would be taken for an option.
    if (argument.startsWith(u'-'))
        argument.prepend(QStringLiteral("./"));
    return QProcess::startDetached(m_program, {argument});
}

}  // namespace lullex
