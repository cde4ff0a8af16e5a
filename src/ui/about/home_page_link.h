#pragma once

#include "home_page_opener.h"

#include <QObject>
#include <QString>

#include <string>

namespace lullex {

class Prompter;

// The home page is the user guide installed with Lullex, found relative to the program's own
// directory: <prefix>/bin/lullex reads <prefix>/share/doc/lullex/index.htm, and build/lullex the
// copy the build makes in build/share/doc/lullex/. Where neither exists, the installed place.
QString HomePageFor(const QString& programDirectory);
QString HomePage();

// The title of a web-link box from a Logo picture: the product name, in slave mode too.
std::string LogoBoxTitle();

// The web link behind the logos and the About screen's WebSite label. The desktop's opener
// (xdg-open, the page its one argument, no shell) is started and left to run: the window goes
// on at once and learns the outcome when the opener ends. An opener that cannot start, or that
// ends with an error, gives "Unable to launch Browser." in a box with the caller's title.
class HomePageLink : public QObject, public HomePageOpener {
    Q_OBJECT
public:
    explicit HomePageLink(Prompter& prompter, QString page = HomePage(),
                          QString opener = QStringLiteral("xdg-open"), QObject* parent = nullptr);

    void OpenHomePage(const std::string& boxTitle) override;

private:
    void reportFailure(const std::string& boxTitle);

    Prompter& m_prompter;
    QString m_page;
    QString m_opener;
};

}  // namespace lullex
