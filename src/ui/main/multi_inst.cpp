#include "multi_inst.h"

#include "logo_label.h"
#include "program_end.h"
#include "settings.h"
#include "window_icon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace lullex {
namespace {

QString errorText()
{
    const std::string product = ProductName;
    return QString::fromStdString(product + " or " + product + " Lite is already\n" +
                                  "running. Only one instance can be running at a time.");
}

}  // namespace

MultiInst::MultiInst(Terminator& terminator, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_terminator(terminator)
{
    setObjectName(QStringLiteral("MultiInst"));
    // On top of everything, yet the user's typing stays where it was.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QString::fromStdString(std::string(ProductName) + " Start Up Error"));
    setWindowIcon(LullexIcon());
    setFont(QFont(QStringLiteral("Arial"), 10));

    auto* logo = new LogoLabel(48, this);
    connect(logo, &LogoLabel::clicked, this, &MultiInst::logoClicked);

    auto* message = new QLabel(errorText(), this);
    message->setObjectName(QStringLiteral("ErrorMess"));
    message->setTextFormat(Qt::PlainText);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Exit"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { m_terminator.endProgram(ExitNormal); });
    connect(this, &QDialog::rejected, this, [this] { m_terminator.endProgram(ExitNormal); });

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addWidget(message, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace lullex
