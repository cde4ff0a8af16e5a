#pragma once

#include <QIcon>
#include <QPixmap>

namespace lullex {

// The program's mark, drawn at start rather than shipped as an image file: an orange disc
// with a white power symbol. It is the window icon, the tray icon and the Logo picture.
QIcon LullexIcon();
QPixmap LullexLogo(int size);

}  // namespace lullex
