#pragma once

#include <QIcon>
#include <QPixmap>

namespace lullex {

// The program's mark, an orange disc with a white power symbol: the scalable icon installed for
// the desktop, built into the program and drawn at each size it is shown in. It is the window
// icon, the tray icon and the Logo picture.
QIcon LullexIcon();
QPixmap LullexLogo(int size);

}  // namespace lullex
