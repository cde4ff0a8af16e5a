#include "screen_look.h"

#include "colour_mapping.h"

#include <QApplication>
#include <QLabel>

namespace lullex {

QLabel* PlainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void SetBold(QWidget* widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

void SetColour(QWidget* widget, QPalette::ColorRole role, Colour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, toQColor(colour, QApplication::palette()));
    widget->setPalette(palette);
}

QString WithMnemonic(const QString& text, QChar mnemonic)
{
    QString marked = text;
    const qsizetype at = marked.indexOf(mnemonic, 0, Qt::CaseInsensitive);
    if (at >= 0)
        marked.insert(at, u'&');
    return marked;
}

}  // namespace lullex
