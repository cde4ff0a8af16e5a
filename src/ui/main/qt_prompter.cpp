#include "qt_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace lullex {
namespace {

QMessageBox::Icon toQtIcon(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Critical:
        return QMessageBox::Critical;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(BoxButtons buttons)
{
    return buttons == BoxButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
}

BoxAnswer toAnswer(BoxButtons buttons, int pressed)
{
    if (buttons == BoxButtons::Ok)
        return BoxAnswer::Ok;
    // Closing a Yes/No box by its close box or Escape answers No, the choice that changes least.
    return pressed == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

QString joinLines(const std::vector<std::string>& lines)
{
    QStringList joined;
    for (const std::string& line : lines)
        joined << QString::fromStdString(line);
    return joined.join(QLatin1Char('\n'));
}

}  // namespace

QtPrompter::QtPrompter(QWidget* parent) : m_parent(parent)
{
}

BoxAnswer QtPrompter::show(const MessageBox& box)
{
    WriteToStandardError(box);
    // Over an open screen the box belongs to the screen, so that it stands above a screen kept
    // on top of other windows.
    QWidget* modal = QApplication::activeModalWidget();
    QMessageBox dialog(toQtIcon(box.icon), QString::fromStdString(box.title), joinLines(box.lines),
                       toQtButtons(box.buttons), modal ? modal : m_parent);
    // Texts such as the link tags "<LXA000>" must show as written, never as markup.
    dialog.setTextFormat(Qt::PlainText);
    dialog.setWindowModality(Qt::ApplicationModal);
    return toAnswer(box.buttons, dialog.exec());
}

}  // namespace lullex
