#include "config_dialog.h"

#include "logo_label.h"
#include "screen_look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lullex {
namespace {

constexpr int LogoSize = 32;
constexpr int NumberWidth = 60;
constexpr int TextWidth = 150;
constexpr int SecondMs = 1000;
constexpr int StatusMs = 2000;

// The mnemonic letters of the two captions that change while the screen is open: each is in
// both of its texts ("Input Delay:" / "Lost Comms Delay", "IP Address" / "Domain Name").
constexpr QChar DelayMnemonic = u'd';
constexpr QChar AddressMnemonic = u'a';

QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

QLineEdit* lineEdit(const char* name, int width, bool centred, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(width);
    if (centred)
        edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QCheckBox* checkBox(const char* name, QWidget* parent)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QComboBox* comboBox(const char* name, const QStringList& sortedEntries, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(sortedEntries);
    combo->setFixedWidth(TextWidth);
    return combo;
}

// An entry of the list when the text is one, exactly; otherwise an editable list shows the
// text and a fixed one keeps what it showed.
void showInList(QComboBox* list, const std::string& text)
{
    const int index = list->findText(toQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        list->setCurrentIndex(index);
    else if (list->isEditable())
        list->setEditText(toQString(text));
}

}  // namespace

ConfigDialog::ConfigDialog(QWidget* parent) : ModalScreen(parent)
{
    setObjectName(QStringLiteral("frmConfig"));
    buildInputs();
    buildLayout();
    setFocusOrder();
    fixSize();

    m_secondTimer = new QTimer(this);
    m_secondTimer->setInterval(SecondMs);
    connect(m_secondTimer, &QTimer::timeout, this, &ConfigDialog::secondElapsed);
    m_secondTimer->start();
    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(StatusMs);
    m_statusTimer->setSingleShot(true);
    connect(m_statusTimer, &QTimer::timeout, this, &ConfigDialog::statusTimedOut);
}

void ConfigDialog::buildInputs()
{
    m_runOnTop = checkBox("RunOnTopT", this);
    m_startMin = checkBox("StartMinT", this);
    m_cpuDelay = lineEdit("CPUDelayT", NumberWidth, true, this);
    m_logLevel = comboBox("LogLevelT", {"Full", "None", "Normal"}, this);
    m_logName = lineEdit("LogNameT", TextWidth, false, this);
    m_logPath = new QLineEdit(this);
    m_logPath->setObjectName(QStringLiteral("LogPathT"));
    m_startDelay = lineEdit("StartDelayT", NumberWidth, true, this);
    m_shutTime = lineEdit("ShutTimeT", NumberWidth, true, this);
    m_shutName = comboBox(
        "ShutNameT", {"Hibernate", "Monitor", "Power Off", "Reboot", "Shutdown", "Standby"}, this);
    // Typed text stays as typed: it is never added to the list, and a word in other letter
    // case is not taken for an entry.
    m_shutName->setEditable(true);
    m_shutName->setInsertPolicy(QComboBox::NoInsert);
    m_shutName->completer()->setCaseSensitivity(Qt::CaseSensitive);
    m_dName = checkBox("DNameT", this);
    m_ipAdd = lineEdit("IPAddT", TextWidth, false, this);
    m_port1 = lineEdit("Port1T", NumberWidth, true, this);

    // The limit texts as the screen is built, in the order of Remark; the two empty ones are
    // set by the display rules.
    const std::array<std::pair<const char*, const char*>, RemarkCount> remarks = {{
        {"IPAddM", ""},
        {"CPUDelayM", "seconds (min 5, max 1800)"},
        {"LogLevelM", "(Setting this to full will generate big log files)"},
        {"LogNameM", "(Between 8 and 20 characters)"},
        {"LogPathM", "(Must exist and be between 1 and 99 characters plus '/')"},
        {"Port1M", "(min 1024, max 65535)"},
        {"ShutTimeM", "seconds (min 2, max 600)"},
        {"ShutTypeM", ""},
        {"StartDelayM", "seconds (min 1, max 3600)"},
    }};
    for (std::size_t i = 0; i < RemarkCount; ++i) {
        m_remarks[i] = PlainLabel(QString::fromLatin1(remarks[i].second), this);
        m_remarks[i]->setObjectName(QString::fromLatin1(remarks[i].first));
        setHighlighted(static_cast<Remark>(i), false);
    }

    connect(m_dName, &QCheckBox::clicked, this, &ConfigDialog::domainNameClicked);
    connect(m_shutName, &QComboBox::activated, this, &ConfigDialog::shutTypePicked);
}

void ConfigDialog::buildLayout()
{
    m_notice = PlainLabel({}, this);
    m_notice->setObjectName(QStringLiteral("TMessage"));
    SetBold(m_notice, true);
    SetColour(m_notice, QPalette::WindowText, Colour::Orange);
    SetColour(m_notice, QPalette::Window, Colour::White);
    auto* logo = new LogoLabel(LogoSize, this);
    logo->setObjectName(QStringLiteral("Logo"));
    connect(logo, &LogoLabel::clicked, this, &ConfigDialog::logoClicked);
    auto* top = new QHBoxLayout;
    top->addWidget(m_notice, 1);
    top->addWidget(logo, 0, Qt::AlignRight | Qt::AlignTop);

    auto* grid = new QGridLayout;
    addHeading(grid, 0, "General");
    addRow(grid, 1, " Run On Top:", u'o', m_runOnTop,
           "Set program to Run On Top (Run in System Tray takes priority)", nullptr);
    addRow(grid, 2, "Run in System Tray:", u'y', m_startMin,
           "Set program to Run Minimised in the System Tray (takes priority over Run On Top)",
           nullptr);
    m_cpuDelayCaption =
        addRow(grid, 3, "Input Delay:", DelayMnemonic, m_cpuDelay,
               "Time for there to be no keyboard or mouse activity before shutdown is initiated",
               remarkLabel(Remark::CPUDelayM));
    addRow(grid, 4, "Log Level:", u'l', m_logLevel, "Log level", remarkLabel(Remark::LogLevelM));
    addRow(grid, 5, "Log File Name:", u'n', m_logName, "Log file name",
           remarkLabel(Remark::LogNameM));
    addRow(grid, 6, "Path To Log File:", u't', m_logPath,
           "Path to log file (either an absolute path or relative to the Program Directory)",
           nullptr, 2);
    grid->addWidget(remarkLabel(Remark::LogPathM), 7, 1, 1, 2);
    addRow(grid, 8, "Activate After:", u'f', m_startDelay,
           "Delay after startup before program  is activated", remarkLabel(Remark::StartDelayM));
    addHeading(grid, 9, "Shutdown");
    addRow(grid, 10, "Shut Down Time:", u'i', m_shutTime,
           "Time before shutdown occurs after the shutdown sequence has started",
           remarkLabel(Remark::ShutTimeM));
    addRow(grid, 11, "Shut Down Type:", u'w', m_shutName, "Type of Shutdown",
           remarkLabel(Remark::ShutTypeM));
    addHeading(grid, 12, "Communications");
    auto* domainName = new QHBoxLayout;
    auto* domainCaption = new QLabel(WithMnemonic(QStringLiteral("Domain Name:"), u'e'), this);
    domainCaption->setObjectName(QStringLiteral("Label7"));
    domainCaption->setBuddy(m_dName);
    m_dName->setToolTip(QStringLiteral("Check to enter domain name instead of IP address"));
    domainName->addStretch(1);
    domainName->addWidget(domainCaption);
    domainName->addWidget(m_dName);
    grid->addLayout(domainName, 12, 2);
    m_ipAddCaption =
        addRow(grid, 13, "IP Address:", AddressMnemonic, m_ipAdd, "", remarkLabel(Remark::IPAddM));
    addRow(grid, 14, "Port:", u'p', m_port1,
           "Port used to communicate on - only change this if there is a clash with another "
           "program",
           remarkLabel(Remark::Port1M));
    grid->setColumnStretch(2, 1);

    m_status = PlainLabel({}, this);
    m_status->setObjectName(QStringLiteral("Status"));
    SetBold(m_status, true);
    SetColour(m_status, QPalette::WindowText, Colour::Orange);
    m_status->setMinimumHeight(m_status->fontMetrics().height());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(m_status);
    layout->addWidget(buttonRow());
}

QLabel* ConfigDialog::addRow(QGridLayout* grid, int row, const char* caption, QChar mnemonic,
                             QWidget* input, const char* tooltip, QLabel* remark, int span)
{
    auto* label = new QLabel(WithMnemonic(QString::fromLatin1(caption), mnemonic), this);
    label->setObjectName(input->objectName().chopped(1) + u'L');
    // A screen reader announces the caption with its input, and Alt and the caption's marked
    // letter reach the input.
    label->setBuddy(input);
    input->setToolTip(QString::fromLatin1(tooltip));
    grid->addWidget(label, row, 0);
    grid->addWidget(input, row, 1, 1, span, span == 1 ? Qt::AlignLeft : Qt::Alignment());
    if (remark)
        grid->addWidget(remark, row, 2);
    return label;
}

void ConfigDialog::addHeading(QGridLayout* grid, int row, const char* heading)
{
    QLabel* label = PlainLabel(QString::fromLatin1(heading), this);
    SetBold(label, true);
    grid->addWidget(label, row, 0, 1, 2);
}

QWidget* ConfigDialog::buttonRow()
{
    auto* row = new QWidget(this);
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    const std::pair<QPushButton**, const char*> rows[] = {{&m_viewLog, "ViewL"},
                                                          {&m_restore, "Restore"},
                                                          {&m_save, "Save"},
                                                          {&m_close, "ExitConfig"}};
    const char* const captions[] = {"&View Log", "&Restore", "&Save", "&Close"};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        auto* button = new QPushButton(QString::fromLatin1(captions[i]), row);
        button->setObjectName(QString::fromLatin1(rows[i].second));
        // Return in a field must not press a button; Space presses the focused one.
        button->setAutoDefault(false);
        buttons->addWidget(button);
        *rows[i].first = button;
    }
    m_restore->setEnabled(false);
    m_save->setEnabled(false);
    connect(m_viewLog, &QPushButton::clicked, this, &ConfigDialog::viewLogClicked);
    connect(m_restore, &QPushButton::clicked, this, &ConfigDialog::restoreClicked);
    connect(m_save, &QPushButton::clicked, this, &ConfigDialog::saveClicked);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    return row;
}

void ConfigDialog::setFocusOrder()
{
    QWidget* const order[] = {m_restore,  m_cpuDelay,   m_logLevel, m_logName,
                              m_logPath,  m_startDelay, m_shutTime, m_shutName,
                              m_ipAdd,    m_port1,      m_save,     m_runOnTop,
                              m_startMin, m_viewLog,    m_close,    m_dName};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QLabel* ConfigDialog::remarkLabel(Remark remark) const
{
    return m_remarks[indexOf(remark)];
}

ConfigForm ConfigDialog::form() const
{
    ConfigForm form;
    form.cpuDelay = m_cpuDelay->text().toStdString();
    form.dName = m_dName->isChecked();
    form.ipAdd = m_ipAdd->text().toStdString();
    form.logName = m_logName->text().toStdString();
    form.logPath = m_logPath->text().toStdString();
    form.port1 = m_port1->text().toStdString();
    form.runOnTop = m_runOnTop->isChecked();
    form.startMin = m_startMin->isChecked();
    form.shutTime = m_shutTime->text().toStdString();
    form.startDelay = m_startDelay->text().toStdString();
    form.logLevel = m_logLevel->currentText().toStdString();
    form.shutName = m_shutName->currentText().toStdString();
    return form;
}

void ConfigDialog::showForm(const ConfigForm& form)
{
    m_cpuDelay->setText(toQString(form.cpuDelay));
    m_dName->setChecked(form.dName);
    m_ipAdd->setText(toQString(form.ipAdd));
    m_logName->setText(toQString(form.logName));
    m_logPath->setText(toQString(form.logPath));
    m_port1->setText(toQString(form.port1));
    m_runOnTop->setChecked(form.runOnTop);
    m_startMin->setChecked(form.startMin);
    m_shutTime->setText(toQString(form.shutTime));
    m_startDelay->setText(toQString(form.startDelay));
    showInList(m_logLevel, form.logLevel);
    showInList(m_shutName, form.shutName);
}

void ConfigDialog::setCaption(const std::string& caption)
{
    setWindowTitle(toQString(caption));
}

void ConfigDialog::setText(ScreenText item, const std::string& text)
{
    switch (item) {
    case ScreenText::CPUDelayL:
        m_cpuDelayCaption->setText(WithMnemonic(toQString(text), DelayMnemonic));
        break;
    case ScreenText::IPAddL:
        m_ipAddCaption->setText(WithMnemonic(toQString(text), AddressMnemonic));
        break;
    case ScreenText::Status:
        m_status->setText(toQString(text));
        break;
    case ScreenText::TMessage:
        m_notice->setText(toQString(text));
        m_notice->setAutoFillBackground(!text.empty());
        break;
    }
}

void ConfigDialog::setTooltip(ScreenTooltip item, const std::string& tooltip)
{
    QWidget* const targets[] = {m_cpuDelay, m_ipAdd, m_viewLog, m_restore, m_save, m_close};
    targets[static_cast<std::size_t>(item)]->setToolTip(toQString(tooltip));
}

void ConfigDialog::setRemark(Remark remark, const std::string& text)
{
    remarkLabel(remark)->setText(toQString(text));
}

void ConfigDialog::setHighlighted(Remark remark, bool highlighted)
{
    QLabel* label = remarkLabel(remark);
    SetColour(label, QPalette::WindowText, highlighted ? Colour::Orange : Colour::DarkGreen);
    SetBold(label, highlighted);
}

void ConfigDialog::setChangesAllowed(bool allowed)
{
    m_restore->setEnabled(allowed);
    m_save->setEnabled(allowed);
}

void ConfigDialog::setTopmost(bool topmost)
{
    setKeptOnTop(topmost);
}

void ConfigDialog::startStatusTimer()
{
    m_statusTimer->start();
}

bool ConfigDialog::isOpen() const
{
    return ModalScreen::isOpen();
}

}  // namespace lullex
