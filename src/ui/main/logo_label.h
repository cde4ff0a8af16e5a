#pragma once

#include <QLabel>

namespace lullex {

// A label that reports a click on it (the logos and the About screen's WebSite label).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The Logo picture; a click on it is reported (it opens the home page).
class LogoLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit LogoLabel(int size, QWidget* parent = nullptr);
};

}  // namespace lullex
