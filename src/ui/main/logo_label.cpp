#include "logo_label.h"

#include "window_icon.h"

#include <QMouseEvent>

namespace lullex {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    // A press that is dragged off the label and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

LogoLabel::LogoLabel(int size, QWidget* parent) : ClickableLabel(parent)
{
    setObjectName(QStringLiteral("Logo"));
    setPixmap(LullexLogo(size));
    setFixedSize(size, size);
    setCursor(Qt::PointingHandCursor);
}

}  // namespace lullex
