#pragma once

#include "colour.h"
#include "home_page_opener.h"

#include <cstdint>
#include <string>

namespace lullex {

struct AppState;

// What the About screen's logic needs of its window. An implementation only shows; it decides
// nothing.
class AboutScreenView {
public:
    virtual ~AboutScreenView() = default;

    virtual void setCaption(const std::string& caption) = 0;
    virtual void setProgName(const std::string& name) = 0;
    virtual void setProgVersion(const std::string& version) = 0;
    // The closing countdown, TMessage.
    virtual void setMessage(const std::string& message) = 0;
    virtual void setWebSiteColour(Colour colour) = 0;
    virtual void setTopmost(bool topmost) = 0;
};

// The logic of the About screen: name, version and the closing countdown, which the main tick
// acts on once it has run out.
class AboutScreen {
public:
    // How long the screen stays open before the main tick closes it.
    static constexpr int16_t Timeout = 30;

    AboutScreen(AppState& state, AboutScreenView& view, HomePageOpener& homePage);

    // The opening: pauses monitoring and writes the texts.
    void load();
    // Every second while the screen is open.
    void onSecond();
    void onWebSite();
    // The closing routine, run once after the screen has closed, whatever closed it (Close,
    // Esc, the close box, or the main tick when the time ran out).
    void onClose();

private:
    AppState& m_state;
    AboutScreenView& m_view;
    HomePageOpener& m_homePage;
};

}  // namespace lullex
