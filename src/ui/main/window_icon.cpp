#include "window_icon.h"

#include <QPainter>
#include <QSvgRenderer>

#include <initializer_list>

namespace lullex {
namespace {

QPixmap drawMark(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer mark(QStringLiteral(":/lullex/lullex.svg"));
    QPainter painter(&pixmap);
    mark.render(&painter);
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
