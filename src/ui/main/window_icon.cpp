#include "window_icon.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <initializer_list>

namespace lullex {
namespace {

QPixmap drawMark(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal side = size;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 128, 0));
    painter.drawEllipse(QRectF(0.5, 0.5, side - 1.0, side - 1.0));

    QPen pen(Qt::white, std::max(1.5, side * 0.1), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The ring is open at the top, where the bar stands (Qt angles are in 1/16 degree).
    const QRectF ring(side * 0.27, side * 0.27, side * 0.46, side * 0.46);
    painter.drawArc(ring, 120 * 16, 300 * 16);
    painter.drawLine(QPointF(side / 2, side * 0.2), QPointF(side / 2, side * 0.48));
    return pixmap;
}

}  // namespace

QIcon LullexIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        icon.addPixmap(drawMark(size));
    return icon;
}

QPixmap LullexLogo(int size)
{
    return drawMark(size);
}

}  // namespace lullex
