// Injects one input event into KWin through org_kde_kwin_fake_input (KWin must run with
// KWIN_WAYLAND_NO_PERMISSION_CHECKS=1): "key" taps the A key, "move" moves the pointer.
#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr uint32_t KeyA = 30;  // evdev code
org_kde_kwin_fake_input* fakeInput = nullptr;

void onGlobal(void*, wl_registry* registry, uint32_t id, const char* interface, uint32_t version)
{
    if (std::string_view(interface) == org_kde_kwin_fake_input_interface.name && version >= 4)
        fakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, id, &org_kde_kwin_fake_input_interface, 4));
}

void onGlobalRemoved(void*, wl_registry*, uint32_t)
{
}

const wl_registry_listener Listener = {onGlobal, onGlobalRemoved};

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view action = argc == 2 ? argv[1] : "";
    if (action != "key" && action != "move") {
        std::fprintf(stderr, "usage: kwin_fake_input key|move\n");
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &Listener, nullptr);
    wl_display_roundtrip(display);
    if (fakeInput == nullptr) {
        std::fprintf(stderr, "the compositor offers no org_kde_kwin_fake_input version 4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "Lullex tests", "inject test input");
    if (action == "key") {
        org_kde_kwin_fake_input_keyboard_key(fakeInput, KeyA, 1);
        org_kde_kwin_fake_input_keyboard_key(fakeInput, KeyA, 0);
    } else {
        org_kde_kwin_fake_input_pointer_motion(fakeInput, wl_fixed_from_int(7),
                                               wl_fixed_from_int(5));
    }
    // Returns once KWin has handled the requests.
    const int result = wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return result < 0 ? 1 : 0;
}
