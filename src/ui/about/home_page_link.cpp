#include "home_page_link.h"

#include "prompter.h"
#include "settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <utility>

namespace lullex {
namespace {

const char* const GuidePath = "share/doc/lullex/index.htm";

}  // namespace

QString HomePageFor(const QString& programDirectory)
{
    const QDir program(programDirectory);
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../") + GuidePath));
    const QString buildTree = QDir::cleanPath(program.filePath(GuidePath));
    if (!QFileInfo::exists(installed) && QFileInfo::exists(buildTree))
        return buildTree;
    return installed;
}

QString HomePage()
{
    return HomePageFor(QCoreApplication::applicationDirPath());
}

std::string LogoBoxTitle()
{
    return std::string(ProductName) + " Error";
}

HomePageLink::HomePageLink(Prompter& prompter, QString page, QString opener, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_page(std::move(page)), m_opener(std::move(opener))
{
}

void HomePageLink::OpenHomePage(const std::string& boxTitle)
{
    auto* opener = new QProcess(this);
    // The browser the opener starts may outlive it: it must hold no pipe of ours.
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(opener, &QProcess::errorOccurred, this,
            [this, opener, boxTitle](QProcess::ProcessError error) {
                // A crash is reported once more, by finished().
                if (error != QProcess::FailedToStart)
                    return;
                opener->deleteLater();
                reportFailure(boxTitle);
            });
    connect(opener, &QProcess::finished, this,
            [this, opener, boxTitle](int exitCode, QProcess::ExitStatus status) {
                opener->deleteLater();
                if (status != QProcess::NormalExit || exitCode != 0)
                    reportFailure(boxTitle);
            });
    opener->start(m_opener, {m_page});
}

void HomePageLink::reportFailure(const std::string& boxTitle)
{
    m_prompter.show({boxTitle, BoxIcon::None, BoxButtons::Ok, {"Unable to launch Browser."}});
}

}  // namespace lullex
