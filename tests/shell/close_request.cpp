// Asks an X window to close the way a window manager does when the user clicks the title bar's
// close button: a WM_DELETE_WINDOW message of the WM_PROTOCOLS kind, sent to the window. A bare
// X server has no window manager to do it, and xdotool only destroys windows or kills clients.
//
// Usage: close_request WINDOW-ID (decimal, as xdotool prints it). Exits 0 once the X server
// has taken the message, 1 with a reason otherwise.

#include <xcb/xcb.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

int main(int argc, char *argv[])
{
    xcb_window_t window = 0;
    const char *end = argc == 2 ? argv[1] + std::strlen(argv[1]) : nullptr;
    if (argc != 2 || std::from_chars(argv[1], end, window).ptr != end || window == 0) {
        std::fprintf(stderr, "usage: close_request WINDOW-ID\n");
        return 1;
    }
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get())) {
        std::fprintf(stderr, "close_request: cannot connect to the X server\n");
        return 1;
    }
    const xcb_atom_t protocols = atom(connection.get(), "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom(connection.get(), "WM_DELETE_WINDOW");
    if (protocols == XCB_ATOM_NONE || deleteWindow == XCB_ATOM_NONE) {
        std::fprintf(stderr, "close_request: cannot look up the WM_PROTOCOLS atoms\n");
        return 1;
    }

    // xcb_send_event copies 32 bytes, the size of every X event.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocols;
    message.data.data32[0] = deleteWindow;
    message.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t sent =
        xcb_send_event_checked(connection.get(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                               reinterpret_cast<const char *>(&message));
    // Waiting for the check makes the message reach the server before any key or click that
    // the caller sends next, so the program sees them in that order.
    if (const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(connection.get(), sent), &std::free);
        error) {
        std::fprintf(stderr, "close_request: the X server refused the message (error %d)\n",
                     int(error->error_code));
        return 1;
    }
    return 0;
}
