#pragma once

#include "activity_source.h"
#include "idle_notification.h"

#include <cstdint>
#include <stdexcept>
#include <string>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

namespace lullex {

// The compositor offers no idle notification we can use. The message is a clause for the
// refusal box ("the compositor offers neither ...").
class WaylandIdleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The compositor's own word on whether someone uses the seat, through a Wayland connection of
// our own beside the toolkit's: ext-idle-notify-v1 where offered, else org_kde_kwin_idle. It
// asks to be told after a second without input and when input resumes, and latches a
// "resumed" until the next sample, so a quick tap is never lost.
class WaylandIdleSource : public ActivitySource {
public:
    // Connects to displayName (empty: the session's WAYLAND_DISPLAY). Throws WaylandIdleError.
    explicit WaylandIdleSource(const std::string& displayName = {});
    ~WaylandIdleSource() override;
    WaylandIdleSource(const WaylandIdleSource&) = delete;
    WaylandIdleSource& operator=(const WaylandIdleSource&) = delete;

    ActivitySample sample() override;
    // The compositor keeps its own time; a restart of monitoring changes nothing here.
    void reset() override {}
    std::string name() const override;

    // The connection's socket: watch it and call drainEvents() when it is readable.
    int connectionFd() const;
    // Reads what the compositor sent, without waiting.
    void drainEvents();
    // The connection broke; from then on every sample is Unknown. Stop watching the socket.
    bool failed() const { return m_failed; }
    // Whether the compositor has said "idled" and not yet "resumed".
    bool compositorSaysIdle() const { return m_latch.idle(); }

    // Called by the protocol listeners.
    void onIdled() { m_latch.idled(); }
    void onResumed() { m_latch.resumed(); }
    void onGlobal(uint32_t id, const char* interface);

private:
    void requestNotification(const std::string& displayName);
    void checkConnection();
    void disconnect();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    uint32_t m_seatId = 0;
    uint32_t m_extNotifierId = 0;
    uint32_t m_kdeIdleId = 0;
    wl_seat* m_seat = nullptr;
    ext_idle_notifier_v1* m_extNotifier = nullptr;
    ext_idle_notification_v1* m_extNotification = nullptr;
    org_kde_kwin_idle* m_kdeIdle = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
    IdleLatch m_latch;
    bool m_failed = false;
};

}  // namespace lullex
