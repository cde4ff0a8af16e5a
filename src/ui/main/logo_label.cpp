#include "logo_label.h"

#include "window_icon.h"

#include <QMouseEvent>

namespace lullex {

LogoLabel::LogoLabel(int size, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("Logo"));
    setPixmap(LullexLogo(size));
    setFixedSize(size, size);
    setCursor(Qt::PointingHandCursor);
}

void LogoLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    // A press that is dragged off the picture and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace lullex
