#pragma once

#include "config_screen_view.h"
#include "modal_screen.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace lullex {

// The configuration screen's window: every setting but the role, with its caption, its limits
// and its remarks. It shows what the screen's logic (ConfigScreen) writes and reports what the
// user does; Close, Esc and the close box end it like any other screen.
class ConfigDialog : public ModalScreen, public ConfigScreenView {
    Q_OBJECT
public:
    explicit ConfigDialog(QWidget* parent = nullptr);

    ConfigForm form() const override;
    void showForm(const ConfigForm& form) override;
    void setCaption(const std::string& caption) override;
    void setText(ScreenText item, const std::string& text) override;
    void setTooltip(ScreenTooltip item, const std::string& tooltip) override;
    void setRemark(Remark remark, const std::string& text) override;
    void setHighlighted(Remark remark, bool highlighted) override;
    void setChangesAllowed(bool allowed) override;
    void setTopmost(bool topmost) override;
    void startStatusTimer() override;
    bool isOpen() const override;

signals:
    void viewLogClicked();
    void restoreClicked();
    void saveClicked();
    void domainNameClicked();
    // An entry was picked from the power-action list.
    void shutTypePicked();
    void secondElapsed();
    void statusTimedOut();
    void logoClicked();

private:
    void buildInputs();
    void buildLayout();
    // A caption, its input (spanning `span` columns) and the input's remark; the caption.
    QLabel* addRow(QGridLayout* grid, int row, const char* caption, QChar mnemonic, QWidget* input,
                   const char* tooltip, QLabel* remark, int span = 1);
    void addHeading(QGridLayout* grid, int row, const char* heading);
    QWidget* buttonRow();
    void setFocusOrder();
    QLabel* remarkLabel(Remark remark) const;

    QLabel* m_notice = nullptr;
    QCheckBox* m_runOnTop = nullptr;
    QCheckBox* m_startMin = nullptr;
    QLineEdit* m_cpuDelay = nullptr;
    QComboBox* m_logLevel = nullptr;
    QLineEdit* m_logName = nullptr;
    QLineEdit* m_logPath = nullptr;
    QLineEdit* m_startDelay = nullptr;
    QLineEdit* m_shutTime = nullptr;
    QComboBox* m_shutName = nullptr;
    QCheckBox* m_dName = nullptr;
    QLineEdit* m_ipAdd = nullptr;
    QLineEdit* m_port1 = nullptr;
    QLabel* m_cpuDelayCaption = nullptr;
    QLabel* m_ipAddCaption = nullptr;
    std::array<QLabel*, RemarkCount> m_remarks{};
    QLabel* m_status = nullptr;
    QPushButton* m_viewLog = nullptr;
    QPushButton* m_restore = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_close = nullptr;
    QTimer* m_secondTimer = nullptr;
    QTimer* m_statusTimer = nullptr;
};

}  // namespace lullex
