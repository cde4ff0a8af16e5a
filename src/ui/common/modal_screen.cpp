#include "modal_screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace lullex {

ModalScreen::ModalScreen(QWidget* parent) : QDialog(parent)
{
    setFont(QFont(QStringLiteral("Arial"), 9));
    setModal(true);
    // No "?" button: the screens have no context help.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void ModalScreen::setKeptOnTop(bool onTop)
{
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

void ModalScreen::fixSize()
{
    setFixedSize(sizeHint());
}

void ModalScreen::showEvent(QShowEvent* event)
{
    // A dialog would be centred over its parent; these screens stand in the screen's middle.
    QDialog::showEvent(event);
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

}  // namespace lullex
