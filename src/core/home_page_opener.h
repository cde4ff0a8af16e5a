#pragma once

#include <string>

namespace lullex {

// Opens the home page in the user's browser (the logos and the About screen's WebSite label); a
// failure is reported in a box with the caller's title.
class HomePageOpener {
public:
    virtual ~HomePageOpener() = default;
    virtual void OpenHomePage(const std::string& boxTitle) = 0;
};

}  // namespace lullex
