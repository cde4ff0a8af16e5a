#pragma once

namespace lullex {

struct AppState;
class HomePageOpener;
class LullexMain;

// Opens the About screen from the main window's About button.
class AboutScreenOpener {
public:
    AboutScreenOpener(AppState& state, HomePageOpener& homePage);

    // Returns once the screen has closed, whatever closed it, and its closing routine has run.
    void open(LullexMain& window);

private:
    AppState& m_state;
    HomePageOpener& m_homePage;
};

}  // namespace lullex
