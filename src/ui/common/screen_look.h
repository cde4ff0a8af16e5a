#pragma once

#include "colour.h"

#include <QPalette>
#include <QString>

class QLabel;
class QWidget;

namespace lullex {

// What the main window and its screens share in how they show texts.

// A label whose text shows as written, never as markup.
QLabel* PlainLabel(const QString& text, QWidget* parent);
void SetBold(QWidget* widget, bool bold);
// One colour of the widget: its text (WindowText) or, where it fills it, its background.
void SetColour(QWidget* widget, QPalette::ColorRole role, Colour colour);
// The text with its first letter `mnemonic` (in either case) marked for the Alt key.
QString WithMnemonic(const QString& text, QChar mnemonic);

}  // namespace lullex
