#include "lullex_main.h"

#include "logo_label.h"
#include "screen_look.h"
#include "settings.h"
#include "window_icon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace lullex {
namespace {

struct LabelRow {
    Label id;
    const char* name;
    int pointSize;
};

constexpr std::array<LabelRow, 3> LabelRows = {{
    {Label::Title, "Title", 10},
    {Label::Counter, "Counter", 12},
    {Label::CPULoad, "CPULoad", 10},
}};

struct ButtonRow {
    Button id;
    const char* name;
    const char* caption;
    void (LullexMain::*clicked)();
};

const std::array<ButtonRow, 5> ButtonRows = {{
    {Button::Reset, "Reset", "Reset", &LullexMain::resetClicked},
    {Button::TestS, "TestS", "Test", &LullexMain::testClicked},
    {Button::Config, "Config", "Configure", &LullexMain::configClicked},
    {Button::About, "About", "About", &LullexMain::aboutClicked},
    {Button::Exit, "Exit", "Exit", &LullexMain::exitClicked},
}};

constexpr int LogoSize = 64;
// Wide enough for the longest action sentence in bold without the window growing later.
constexpr int MinimumWidth = 560;

QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

LullexMain::LullexMain(QWidget* parent) : QWidget(parent), m_tray(new TrayIcon(LullexIcon(), this))
{
    setObjectName(QStringLiteral("LullexMain"));
    setWindowTitle(QString::fromLatin1(ProductName));
    setWindowIcon(LullexIcon());
    setFont(QFont(QStringLiteral("Arial"), 10));
    buildLayout();
    // Sized now: the first show would resize the window to its layout, and Qt drops a
    // minimised state set before that resize.
    adjustSize();
    connect(m_tray, &TrayIcon::doubleClicked, this, &LullexMain::trayDoubleClicked);
}

void LullexMain::buildLayout()
{
    auto* texts = new QVBoxLayout;
    for (const LabelRow& row : LabelRows) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(row.name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(QFont(QStringLiteral("Arial"), row.pointSize));
        // The countdown paints Counter and CPULoad as an orange band, even when empty.
        label->setAutoFillBackground(true);
        label->setMinimumHeight(label->fontMetrics().height() + 6);
        label->setContentsMargins(6, 0, 6, 0);
        texts->addWidget(label);
        m_labels[static_cast<std::size_t>(row.id)] = label;
    }

    m_logo = new LogoLabel(LogoSize, this);
    connect(m_logo, &LogoLabel::clicked, this, &LullexMain::logoClicked);
    auto* top = new QHBoxLayout;
    top->addWidget(m_logo, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    for (const ButtonRow& row : ButtonRows) {
        auto* button = new QPushButton(QString::fromLatin1(row.caption), this);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, row.clicked);
        buttons->addWidget(button);
        m_buttons[static_cast<std::size_t>(row.id)] = button;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(MinimumWidth);
}

QLabel* LullexMain::label(Label which) const
{
    return m_labels[static_cast<std::size_t>(which)];
}

QPushButton* LullexMain::button(Button which) const
{
    return m_buttons[static_cast<std::size_t>(which)];
}

void LullexMain::setWindowCaption(const std::string& caption)
{
    setWindowTitle(toQString(caption));
}

void LullexMain::setLabelText(Label which, const std::string& text)
{
    label(which)->setText(toQString(text));
}

void LullexMain::setLabelTextColour(Label which, Colour colour)
{
    SetColour(label(which), QPalette::WindowText, colour);
}

void LullexMain::setLabelBackground(Label which, Colour colour)
{
    SetColour(label(which), QPalette::Window, colour);
}

void LullexMain::setLabelBold(Label which, bool bold)
{
    SetBold(label(which), bold);
}

void LullexMain::setButtonCaption(Button which, const std::string& caption)
{
    button(which)->setText(toQString(caption));
}

void LullexMain::setButtonTooltip(Button which, const std::string& tooltip)
{
    button(which)->setToolTip(toQString(tooltip));
}

void LullexMain::setButtonEnabled(Button which, bool enabled)
{
    button(which)->setEnabled(enabled);
}

bool LullexMain::isMinimised() const
{
    if (!m_shownOnce)
        return m_minimisedBeforeFirstShow;
    return windowState().testFlag(Qt::WindowMinimized);
}

void LullexMain::setMinimised(bool minimised)
{
    // Before its first show the window has no X window to carry the state: Qt would map it
    // iconic on a later show, and the window manager's report of that would send a window the
    // user just restored from the tray straight back there.
    if (!m_shownOnce) {
        if (m_minimisedBeforeFirstShow != minimised) {
            m_minimisedBeforeFirstShow = minimised;
            emit windowStateChanged(minimised);
        }
        return;
    }
    Qt::WindowStates state = windowState();
    state.setFlag(Qt::WindowMinimized, minimised);
    setWindowState(state);
}

void LullexMain::showWindow()
{
    if (!m_shownOnce && m_minimisedBeforeFirstShow)
        showMinimized();
    else
        show();
}

void LullexMain::hideWindow()
{
    hide();
}

void LullexMain::centreOnScreen()
{
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect area = target->availableGeometry();
    const QRect frame = frameGeometry();
    move(area.x() + (area.width() - frame.width()) / 2,
         area.y() + (area.height() - frame.height()) / 2);
}

void LullexMain::setTopmost(bool topmost)
{
    // QWidget::setWindowFlag would re-create the native window (a new X window each time);
    // the hint goes to the existing window instead, and the widget's record is kept in step so
    // that a window created later starts in the same state.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
    overrideWindowFlags(flags);
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
}

bool LullexMain::trayAvailable() const
{
    return TrayIcon::available();
}

void LullexMain::addTrayIcon()
{
    m_tray->add();
}

void LullexMain::removeTrayIcon()
{
    m_tray->remove();
}

void LullexMain::setTrayTooltip(const std::string& tooltip)
{
    m_tray->setToolTip(QString::fromStdString(tooltip));
}

void LullexMain::runScreen(QDialog& screen)
{
    registerDialog(&screen);
    screen.exec();
}

void LullexMain::registerDialog(QDialog* dialog)
{
    m_dialogs.emplace_back(dialog);
}

void LullexMain::closeDialogs()
{
    std::erase_if(m_dialogs, [](const QPointer<QDialog>& dialog) { return dialog.isNull(); });
    // done() only ends a screen's loop: its opener runs the closing routine once exec()
    // returns, after any handler of the screen that was showing a box has returned too.
    for (const QPointer<QDialog>& dialog : m_dialogs) {
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected);
    }
}

bool LullexMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        emit activated();
    return QWidget::event(event);
}

void LullexMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        emit windowStateChanged(isMinimised());
}

void LullexMain::showEvent(QShowEvent* event)
{
    m_shownOnce = true;
    QWidget::showEvent(event);
}

void LullexMain::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

}  // namespace lullex
