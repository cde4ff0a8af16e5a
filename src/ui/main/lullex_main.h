#pragma once

#include "main_window_view.h"
#include "tray_icon.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class QDialog;
class QLabel;
class QPushButton;

namespace lullex {

class LogoLabel;

// The main window. It shows what the monitoring logic writes and reports what the user does;
// every decision (closing, hiding to the tray, the window stack) is taken by that logic.
class LullexMain : public QWidget, public MainWindowView {
    Q_OBJECT
public:
    explicit LullexMain(QWidget* parent = nullptr);

    void setWindowCaption(const std::string& caption) override;
    void setLabelText(Label label, const std::string& text) override;
    void setLabelTextColour(Label label, Colour colour) override;
    void setLabelBackground(Label label, Colour colour) override;
    void setLabelBold(Label label, bool bold) override;
    void setButtonCaption(Button button, const std::string& caption) override;
    void setButtonTooltip(Button button, const std::string& tooltip) override;
    void setButtonEnabled(Button button, bool enabled) override;

    bool isMinimised() const override;
    void setMinimised(bool minimised) override;
    void showWindow() override;
    void hideWindow() override;
    void centreOnScreen() override;
    void setTopmost(bool topmost) override;
    bool trayAvailable() const override;
    void addTrayIcon() override;
    void removeTrayIcon() override;
    void setTrayTooltip(const std::string& tooltip) override;
    void closeDialogs() override;

    // Shows a screen (About, configuration) modally and returns once it has closed, by
    // whatever means; closeDialogs() reaches it meanwhile. The caller then runs the screen's
    // closing routine and deletes it.
    void runScreen(QDialog& screen);
    // The screens that closeDialogs() closes.
    void registerDialog(QDialog* dialog);

signals:
    void resetClicked();
    void testClicked();
    void configClicked();
    void aboutClicked();
    void exitClicked();
    void logoClicked();
    // The close box was used. The window stays open; the handler ends the program.
    void closeRequested();
    // The window state changed; minimised tells the state now.
    void windowStateChanged(bool minimised);
    // The window became the active window.
    void activated();
    // A double click on the tray icon.
    void trayDoubleClicked();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    QLabel* label(Label which) const;
    QPushButton* button(Button which) const;

    std::array<QLabel*, 3> m_labels{};
    std::array<QPushButton*, 5> m_buttons{};
    LogoLabel* m_logo = nullptr;
    TrayIcon* m_tray;
    bool m_shownOnce = false;
    bool m_minimisedBeforeFirstShow = false;
    std::vector<QPointer<QDialog>> m_dialogs;
};

}  // namespace lullex
