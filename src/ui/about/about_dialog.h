#pragma once

#include "about_screen.h"
#include "modal_screen.h"

class QLabel;

namespace lullex {

// The About screen's window: the program's name, version and copyright, the link to the user
// guide and the closing countdown. It shows what the screen's logic (AboutScreen) writes and
// reports what the user does; Close, Esc and the close box end it like any other screen.
class AboutDialog : public ModalScreen, public AboutScreenView {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void setCaption(const std::string& caption) override;
    void setProgName(const std::string& name) override;
    void setProgVersion(const std::string& version) override;
    void setMessage(const std::string& message) override;
    void setWebSiteColour(Colour colour) override;
    void setTopmost(bool topmost) override;

signals:
    void secondElapsed();
    void webSiteClicked();

private:
    QLabel* m_progName = nullptr;
    QLabel* m_progVersion = nullptr;
    QLabel* m_webSite = nullptr;
    QLabel* m_message = nullptr;
};

}  // namespace lullex
