// What the main window shows: texts, colours, fonts, buttons and their clicks.
#include "lullex_main.h"

#include "ui_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace lullex {
namespace {

QColor rgb(int red, int green, int blue)
{
    return QColor(red, green, blue);
}

// A desktop palette unlike any default, in particular with a button face unlike the window's
// background (offscreen they are the same), so that a system colour taken from the wrong role
// shows. The application's palette is put back when the test ends.
class DistinctPalette {
public:
    DistinctPalette() : m_saved(QApplication::palette())
    {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Button, rgb(10, 20, 30));
        palette.setColor(QPalette::ButtonText, rgb(200, 100, 50));
        palette.setColor(QPalette::Window, rgb(1, 2, 3));
        palette.setColor(QPalette::WindowText, rgb(4, 5, 6));
        QApplication::setPalette(palette);
    }
    ~DistinctPalette() { QApplication::setPalette(m_saved); }
    DistinctPalette(const DistinctPalette&) = delete;
    DistinctPalette& operator=(const DistinctPalette&) = delete;

private:
    QPalette m_saved;
};

class LullexMainTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(test::WaitUntilExposed(window));
    }

    QLabel* label(const char* name) const
    {
        auto* found = window.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QPushButton* button(const char* name) const
    {
        auto* found = window.findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // What the screen shows where the widget is: rendered from the window down, so that a
    // background the widget does not paint itself shows the window's colour, as on screen.
    static QImage shownImage(QWidget* widget)
    {
        QWidget* top = widget->window();
        return top->grab(QRect(widget->mapTo(top, QPoint(0, 0)), widget->size())).toImage();
    }

    static QColor paintedAt(QWidget* widget, QPoint point)
    {
        return shownImage(widget).pixelColor(point);
    }

    static bool paints(QWidget* widget, const QColor& colour)
    {
        const QImage image = shownImage(widget);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).rgb() == colour.rgb())
                    return true;
        return false;
    }

    DistinctPalette palette;
    LullexMain window;
};

struct ButtonCase {
    Button id;
    const char* name;
    const char* caption;
};

constexpr ButtonCase Buttons[] = {
    {Button::Reset, "Reset", "Reset"},       {Button::TestS, "TestS", "Test"},
    {Button::Config, "Config", "Configure"}, {Button::About, "About", "About"},
    {Button::Exit, "Exit", "Exit"},
};

TEST_F(LullexMainTest, ButtonsCarryTheirCaptionsAtStart)
{
    for (const ButtonCase& row : Buttons)
        EXPECT_EQ(button(row.name)->text().toStdString(), row.caption) << row.name;
}

TEST_F(LullexMainTest, EachButtonReachesOnlyItsOwnHandler)
{
    std::map<std::string, int> calls;
    QObject::connect(&window, &LullexMain::resetClicked, [&] { ++calls["Reset"]; });
    QObject::connect(&window, &LullexMain::testClicked, [&] { ++calls["TestS"]; });
    QObject::connect(&window, &LullexMain::configClicked, [&] { ++calls["Config"]; });
    QObject::connect(&window, &LullexMain::aboutClicked, [&] { ++calls["About"]; });
    QObject::connect(&window, &LullexMain::exitClicked, [&] { ++calls["Exit"]; });

    for (const ButtonCase& row : Buttons) {
        calls.clear();
        QTest::mouseClick(button(row.name), Qt::LeftButton);
        EXPECT_EQ(calls, (std::map<std::string, int>{{row.name, 1}})) << row.name;
    }
}

TEST_F(LullexMainTest, DisabledButtonTakesNoClickUntilEnabledAgain)
{
    int resets = 0;
    QObject::connect(&window, &LullexMain::resetClicked, [&] { ++resets; });

    window.setButtonEnabled(Button::Reset, false);
    QTest::mouseClick(button("Reset"), Qt::LeftButton);
    EXPECT_EQ(resets, 0);

    window.setButtonEnabled(Button::Reset, true);
    QTest::mouseClick(button("Reset"), Qt::LeftButton);
    EXPECT_EQ(resets, 1);
}

TEST_F(LullexMainTest, WritesReachTheNamedControls)
{
    window.setWindowCaption("Lullex Slave - Test Mode");
    window.setLabelText(Label::Title, "Power Off the computer if there is no input activity for "
                                      "over 300 sec");
    window.setLabelText(Label::Counter, "No key or mouse activity for the last 12s");
    window.setLabelText(Label::CPULoad, "K M");
    window.setButtonCaption(Button::Reset, "Cancel");
    window.setButtonTooltip(Button::Reset, "Cancel Lullex Power Off");
    window.setButtonTooltip(Button::TestS, "Enables/Restarts Lullex Test Mode");

    EXPECT_EQ(window.windowTitle().toStdString(), "Lullex Slave - Test Mode");
    EXPECT_EQ(label("Title")->text().toStdString(),
              "Power Off the computer if there is no input activity for over 300 sec");
    EXPECT_EQ(label("Counter")->text().toStdString(), "No key or mouse activity for the last 12s");
    EXPECT_EQ(label("CPULoad")->text().toStdString(), "K M");
    EXPECT_EQ(button("Reset")->text().toStdString(), "Cancel");
    EXPECT_EQ(button("Reset")->toolTip().toStdString(), "Cancel Lullex Power Off");
    EXPECT_EQ(button("TestS")->toolTip().toStdString(), "Enables/Restarts Lullex Test Mode");
    EXPECT_EQ(button("Exit")->text().toStdString(), "Exit");
}

TEST_F(LullexMainTest, NonAsciiTextKeepsItsCharacters)
{
    window.setLabelText(Label::Title, "Arrêt à 5 s — Grüße");
    EXPECT_EQ(label("Title")->text(), QString::fromUtf8("Arrêt à 5 s — Grüße"));
}

TEST_F(LullexMainTest, TextsShowAsWrittenNeverAsMarkup)
{
    window.setLabelText(Label::Counter, "<b>5</b>");
    QLabel plain(QStringLiteral("<b>5</b>"));
    plain.setTextFormat(Qt::PlainText);
    plain.setFont(label("Counter")->font());
    plain.setContentsMargins(label("Counter")->contentsMargins());
    EXPECT_EQ(label("Counter")->sizeHint().width(), plain.sizeHint().width());
}

struct TextColourCase {
    Label id;
    const char* name;
    Colour colour;
    QColor expected;
};

TEST_F(LullexMainTest, TextColoursAreTheExactScreenColours)
{
    const TextColourCase cases[] = {
        {Label::Counter, "Counter", Colour::Orange, rgb(255, 128, 0)},
        {Label::Counter, "Counter", Colour::Green, rgb(0, 128, 0)},
        {Label::Counter, "Counter", Colour::White, rgb(255, 255, 255)},
        {Label::Title, "Title", Colour::Orange, rgb(255, 128, 0)},
        {Label::CPULoad, "CPULoad", Colour::White, rgb(255, 255, 255)},
        {Label::Title, "Title", Colour::ButtonText, rgb(200, 100, 50)},
    };
    for (const TextColourCase& row : cases) {
        window.setLabelTextColour(row.id, row.colour);
        EXPECT_EQ(label(row.name)->palette().color(QPalette::WindowText).rgb(), row.expected.rgb())
            << row.name;
    }
}

TEST_F(LullexMainTest, CountdownBandIsPaintedOrangeEvenWhenEmpty)
{
    window.setLabelText(Label::CPULoad, "");
    window.setLabelBackground(Label::CPULoad, Colour::Orange);
    window.setLabelBackground(Label::Counter, Colour::Orange);

    QLabel* band = label("CPULoad");
    ASSERT_GT(band->height(), 4);
    EXPECT_EQ(paintedAt(band, QPoint(band->width() / 2, band->height() / 2)).rgb(),
              rgb(255, 128, 0).rgb());
    EXPECT_EQ(paintedAt(label("Counter"), QPoint(1, 1)).rgb(), rgb(255, 128, 0).rgb());
}

TEST_F(LullexMainTest, CountdownTextIsWhiteOnOrange)
{
    window.setLabelText(Label::Counter, "The Computer Will Power Off In 60s");
    window.setLabelBackground(Label::Counter, Colour::Orange);
    window.setLabelTextColour(Label::Counter, Colour::White);
    EXPECT_TRUE(paints(label("Counter"), Qt::white));

    window.setLabelTextColour(Label::Counter, Colour::Orange);
    EXPECT_FALSE(paints(label("Counter"), Qt::white));
}

TEST_F(LullexMainTest, RestBackgroundIsTheDesktopButtonFace)
{
    window.setLabelBackground(Label::Counter, Colour::Orange);
    window.setLabelBackground(Label::Counter, Colour::ButtonFace);
    EXPECT_EQ(paintedAt(label("Counter"), QPoint(1, 1)).rgb(), rgb(10, 20, 30).rgb());
}

TEST_F(LullexMainTest, BoldWidensTheTextAndPlainRestoresItInArial)
{
    window.setLabelText(Label::Counter, "No key or mouse activity for the last 300s");
    const int plainWidth = label("Counter")->sizeHint().width();

    window.setLabelBold(Label::Counter, true);
    EXPECT_TRUE(label("Counter")->font().bold());
    EXPECT_GT(label("Counter")->sizeHint().width(), plainWidth);

    window.setLabelBold(Label::Counter, false);
    EXPECT_EQ(label("Counter")->sizeHint().width(), plainWidth);
    EXPECT_EQ(label("Counter")->font().family().toStdString(), "Arial");
}

TEST_F(LullexMainTest, LongestTextsFitOnA1024By768Desktop)
{
    window.setLabelText(Label::Title,
                        "Hibernate the computer if there is no input activity for over 1800 sec");
    window.setLabelBold(Label::Title, true);
    window.setLabelText(Label::Counter, "No key or mouse activity for the last 1800s");
    window.setLabelBold(Label::Counter, true);
    window.adjustSize();
    QApplication::processEvents();

    EXPECT_LE(window.frameGeometry().width(), 1024);
    EXPECT_LE(window.frameGeometry().height(), 768);
    for (const char* name : {"Title", "Counter"})
        EXPECT_LE(label(name)->sizeHint().width(), label(name)->width()) << name << " is cut";
}

TEST_F(LullexMainTest, LogoClickIsReportedAndADragOffItIsNot)
{
    int clicks = 0;
    QObject::connect(&window, &LullexMain::logoClicked, [&] { ++clicks; });
    auto* logo = window.findChild<QLabel*>(QStringLiteral("Logo"));
    ASSERT_NE(logo, nullptr);
    ASSERT_FALSE(logo->pixmap().isNull());

    QTest::mouseClick(logo, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    QTest::mousePress(logo, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(logo, Qt::LeftButton, {}, QPoint(logo->width() + 40, 5));
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace lullex
