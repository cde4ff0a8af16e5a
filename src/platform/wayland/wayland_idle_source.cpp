#include "wayland_idle_source.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

#include <wayland-client.h>

#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>

namespace lullex {
namespace {

// The shortest wait the compositor needs before it says "idled": one sample.
constexpr uint32_t IdleTimeoutMs = 1000;

WaylandIdleSource& sourceOf(void* data)
{
    return *static_cast<WaylandIdleSource*>(data);
}

void onGlobalAdded(void* data, wl_registry*, uint32_t id, const char* interface, uint32_t)
{
    sourceOf(data).onGlobal(id, interface);
}

void onGlobalRemoved(void*, wl_registry*, uint32_t)
{
}

const wl_registry_listener RegistryListener = {onGlobalAdded, onGlobalRemoved};

const ext_idle_notification_v1_listener ExtListener = {
    [](void* data, ext_idle_notification_v1*) { sourceOf(data).onIdled(); },
    [](void* data, ext_idle_notification_v1*) { sourceOf(data).onResumed(); },
};

const org_kde_kwin_idle_timeout_listener KdeListener = {
    [](void* data, org_kde_kwin_idle_timeout*) { sourceOf(data).onIdled(); },
    [](void* data, org_kde_kwin_idle_timeout*) { sourceOf(data).onResumed(); },
};

std::string displayLabel(const std::string& displayName)
{
    if (!displayName.empty())
        return displayName;
    const char* fromSession = std::getenv("WAYLAND_DISPLAY");
    return fromSession != nullptr && *fromSession != '\0' ? fromSession : "wayland-0";
}

}  // namespace

WaylandIdleSource::WaylandIdleSource(const std::string& displayName)
{
    m_display = wl_display_connect(displayName.empty() ? nullptr : displayName.c_str());
    if (m_display == nullptr) {
        throw WaylandIdleError("the Wayland compositor \"" + displayLabel(displayName) +
                               "\" cannot be reached");
    }
    try {
        requestNotification(displayName);
    } catch (const WaylandIdleError&) {
        disconnect();
        throw;
    }
}

WaylandIdleSource::~WaylandIdleSource()
{
    disconnect();
}

void WaylandIdleSource::onGlobal(uint32_t id, const char* interface)
{
    const std::string_view name = interface;
    // The first seat is the one the user sits at; a second seat is rare and not ours to watch.
    if (name == wl_seat_interface.name && m_seatId == 0)
        m_seatId = id;
    else if (name == ext_idle_notifier_v1_interface.name)
        m_extNotifierId = id;
    else if (name == org_kde_kwin_idle_interface.name)
        m_kdeIdleId = id;
}

void WaylandIdleSource::requestNotification(const std::string& displayName)
{
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &RegistryListener, this);
    if (wl_display_roundtrip(m_display) < 0) {
        throw WaylandIdleError("the Wayland compositor \"" + displayLabel(displayName) +
                               "\" closed the connection");
    }
    if (m_extNotifierId == 0 && m_kdeIdleId == 0)
        throw WaylandIdleError("the compositor offers neither ext-idle-notify-v1 nor "
                               "org_kde_kwin_idle");
    if (m_seatId == 0)
        throw WaylandIdleError("the compositor offers no seat to watch");

    m_seat = static_cast<wl_seat*>(wl_registry_bind(m_registry, m_seatId, &wl_seat_interface, 1));
    if (m_extNotifierId != 0) {
        m_extNotifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(m_registry, m_extNotifierId, &ext_idle_notifier_v1_interface, 1));
        m_extNotification =
            ext_idle_notifier_v1_get_idle_notification(m_extNotifier, IdleTimeoutMs, m_seat);
        ext_idle_notification_v1_add_listener(m_extNotification, &ExtListener, this);
    } else {
        m_kdeIdle = static_cast<org_kde_kwin_idle*>(
            wl_registry_bind(m_registry, m_kdeIdleId, &org_kde_kwin_idle_interface, 1));
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(m_kdeIdle, m_seat, IdleTimeoutMs);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &KdeListener, this);
    }
    wl_display_flush(m_display);
}

void WaylandIdleSource::disconnect()
{
    if (m_display == nullptr)
        return;
    if (m_extNotification != nullptr)
        ext_idle_notification_v1_destroy(m_extNotification);
    if (m_extNotifier != nullptr)
        ext_idle_notifier_v1_destroy(m_extNotifier);
    if (m_kdeTimeout != nullptr)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    if (m_kdeIdle != nullptr)
        org_kde_kwin_idle_destroy(m_kdeIdle);
    if (m_seat != nullptr)
        wl_seat_destroy(m_seat);
    if (m_registry != nullptr)
        wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
    m_display = nullptr;
}

std::string WaylandIdleSource::name() const
{
    return m_extNotifier != nullptr ? "ext-idle" : "kde-idle";
}

int WaylandIdleSource::connectionFd() const
{
    return wl_display_get_fd(m_display);
}

void WaylandIdleSource::drainEvents()
{
    if (m_failed)
        return;
    // The library's way of reading without blocking: announce the read, look whether the
    // socket has data, then read or cancel.
    while (wl_display_prepare_read(m_display) != 0)
        wl_display_dispatch_pending(m_display);
    wl_display_flush(m_display);
    pollfd socket{wl_display_get_fd(m_display), POLLIN, 0};
    if (poll(&socket, 1, 0) > 0)
        wl_display_read_events(m_display);
    else
        wl_display_cancel_read(m_display);
    wl_display_dispatch_pending(m_display);
    checkConnection();
}

// A broken connection cannot be mended: the compositor has gone or dropped us.
void WaylandIdleSource::checkConnection()
{
    const int error = wl_display_get_error(m_display);
    if (error == 0)
        return;
    m_failed = true;
    std::cerr << "Lost the Wayland compositor's idle notification (" << std::strerror(error)
              << "); from now on the computer is not taken for idle." << std::endl;
}

ActivitySample WaylandIdleSource::sample()
{
    drainEvents();
    if (m_failed)
        return {Activity::Unknown, std::nullopt};
    return {m_latch.take(), std::nullopt};
}

}  // namespace lullex
