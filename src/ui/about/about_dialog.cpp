#include "about_dialog.h"

#include "logo_label.h"
#include "screen_look.h"
#include "window_icon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lullex {
namespace {

constexpr int MarkSize = 96;
constexpr int SecondMs = 1000;
const char* const CopyrightLine = "Copyright \u00A9 2026 The Lullex authors";
const char* const WebSiteText = "Lullex User Guide";

QLabel* named(QLabel* label, const char* name)
{
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : ModalScreen(parent)
{
    setObjectName(QStringLiteral("frmAbout"));

    auto* mark = new QLabel(this);
    mark->setPixmap(LullexLogo(MarkSize));
    m_progName = named(PlainLabel({}, this), "ProgName");
    QFont large = m_progName->font();
    large.setPointSize(large.pointSize() * 2);
    large.setBold(true);
    m_progName->setFont(large);
    m_progVersion = named(PlainLabel({}, this), "ProgVersion");
    auto* copyright = named(PlainLabel(QString::fromUtf8(CopyrightLine), this), "Copyright");

    auto* webSite = new ClickableLabel(QString::fromLatin1(WebSiteText), this);
    named(webSite, "WebSite")->setTextFormat(Qt::PlainText);
    connect(webSite, &ClickableLabel::clicked, this, &AboutDialog::webSiteClicked);
    m_webSite = webSite;
    QFont underlined = m_webSite->font();
    underlined.setUnderline(true);
    m_webSite->setFont(underlined);
    QPalette link = m_webSite->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    m_webSite->setPalette(link);
    m_webSite->setCursor(Qt::PointingHandCursor);

    m_message = named(PlainLabel({}, this), "TMessage");
    m_message->setMinimumHeight(m_message->fontMetrics().height());

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("ExitAbout"));
    close->setToolTip(QStringLiteral("Close Lullex About Screen"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* texts = new QVBoxLayout;
    for (QLabel* text : {m_progName, m_progVersion, copyright, m_webSite})
        texts->addWidget(text);
    auto* top = new QHBoxLayout;
    top->addWidget(mark, 0, Qt::AlignTop);
    top->addSpacing(MarkSize / 4);
    top->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(MarkSize / 8);
    layout->addWidget(m_message);
    layout->addWidget(close, 0, Qt::AlignRight);
    fixSize();

    auto* seconds = new QTimer(this);
    seconds->setInterval(SecondMs);
    connect(seconds, &QTimer::timeout, this, &AboutDialog::secondElapsed);
    seconds->start();
}

void AboutDialog::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void AboutDialog::setProgName(const std::string& name)
{
    m_progName->setText(QString::fromStdString(name));
}

void AboutDialog::setProgVersion(const std::string& version)
{
    m_progVersion->setText(QString::fromStdString(version));
}

void AboutDialog::setMessage(const std::string& message)
{
    m_message->setText(QString::fromStdString(message));
}

void AboutDialog::setWebSiteColour(Colour colour)
{
    SetColour(m_webSite, QPalette::WindowText, colour);
}

void AboutDialog::setTopmost(bool topmost)
{
    setKeptOnTop(topmost);
}

}  // namespace lullex
