#include "fake_opener.h"

#include "e2e_test_support.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace lullex::test {
namespace {

// Each logo stands in a corner of its window inside the layout's margin.
constexpr int LayoutMargin = 11;

}  // namespace

FakeOpener::FakeOpener(Kind kind)
{
    const std::string body = kind == Kind::Failing
                                 ? "exit 4\n"
                                 : "printf '%s|%s' \"$#\" \"$1\" > \"$0.args.new\"\n"
                                   "mv \"$0.args.new\" \"$0.args\"\n";
    const std::filesystem::path script = m_dir.file("xdg-open");
    WriteWholeFile(script, "#!/bin/sh\n" + body);
    ::chmod(script.c_str(), 0755);
}

std::string FakeOpener::pathVariable() const
{
    const char* path = std::getenv("PATH");
    return m_dir.path().string() + ":" + (path ? path : "/usr/bin:/bin");
}

std::string FakeOpener::recorded() const
{
    const std::filesystem::path args = m_dir.file("xdg-open.args");
    return std::filesystem::exists(args) ? ReadWholeFile(args) : std::string();
}

std::string PathWithoutOpener()
{
    return "/nonexistent/lullex-no-opener";
}

void ClickLogo(const XSession& session, XWindowId window, LogoOf which)
{
    struct Place {
        int size;
        bool right;
    };
    const Place places[] = {{64, false}, {32, true}, {48, false}};
    const Place place = places[static_cast<int>(which)];
    const WindowGeometry geometry = ScreenGeometry(session, window);
    const int fromEdge = LayoutMargin + place.size / 2;
    const int x = place.right ? geometry.x + geometry.width - fromEdge : geometry.x + fromEdge;
    const int y = geometry.y + fromEdge;
    Xdotool(session, {"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

}  // namespace lullex::test
