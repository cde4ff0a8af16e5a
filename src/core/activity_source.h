#pragma once

#include <optional>
#include <string>

namespace lullex {

// What a source saw in the second since its previous sample. Unknown: the source could not
// tell (it failed); the computer is then kept on, never taken for idle.
enum class Activity { Idle, Active, Unknown };

// Which kind of input was seen, where the source can tell keys from the mouse.
struct InputDetail {
    bool keyChanged = false;
    bool mouseMoved = false;
};

struct ActivitySample {
    Activity activity = Activity::Unknown;
    // Empty where the source only knows whether someone was there (a compositor's idle
    // notification); the Full log then shows dots instead of the key and mouse flags.
    std::optional<InputDetail> detail;
};

// One way of seeing whether the computer is in use: the X11 keyboard and mouse, a Wayland
// compositor's idle notification, GNOME's idle monitor.
class ActivitySource {
public:
    virtual ~ActivitySource() = default;
    // What happened since the previous sample.
    virtual ActivitySample sample() = 0;
    // Forgets the previous sample when monitoring restarts.
    virtual void reset() = 0;
    // Names the source in the log's detail field: at most 10 characters.
    virtual std::string name() const = 0;
};

// Stands in where the session offers nothing to watch. It never answers Idle, so even if it
// were asked, the computer would stay on.
class UnseenActivity : public ActivitySource {
public:
    ActivitySample sample() override { return {}; }
    void reset() override {}
    std::string name() const override { return "none"; }
};

}  // namespace lullex
