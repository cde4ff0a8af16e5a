#pragma once

#include <QLabel>

namespace lullex {

// The Logo picture; a click on it is reported (it opens the home page).
class LogoLabel : public QLabel {
    Q_OBJECT
public:
    explicit LogoLabel(int size, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace lullex
