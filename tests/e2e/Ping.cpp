// The window manager's ping, sent with Xlib: kept apart from the harness,
// whose Qt headers do not mix with Xlib's macros.
#include "Harness.h"

#include <X11/Xlib.h>
#include <chrono>
#include <poll.h>

namespace zk::e2e {

bool Session::Answers(quint64 window, int timeoutMs) const {
    ::Display* x = XOpenDisplay(display_.toLatin1().constData());
    if (x == nullptr) {
        return false;
    }
    // A window gone meanwhile is an error the default handler would end the
    // harness for; it only goes unanswered.
    XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
    const ::Window root = DefaultRootWindow(x);
    // The answer goes to the root window, for whoever listens to its structure.
    XSelectInput(x, root, StructureNotifyMask | SubstructureNotifyMask);
    const Atom protocols = XInternAtom(x, "WM_PROTOCOLS", 0);
    const Atom ping = XInternAtom(x, "_NET_WM_PING", 0);
    static long serial = 0;
    // A stamp far below the server's time: the toolkit takes it for an old
    // time and keeps its own.
    const long stamp = ++serial;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<::Window>(window);
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(x, static_cast<::Window>(window), 0, NoEventMask, &event);
    XFlush(x);

    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        while (!answered && XPending(x) > 0) {
            XEvent reply;
            XNextEvent(x, &reply);
            answered = reply.type == ClientMessage &&
                       reply.xclient.data.l[0] == static_cast<long>(ping) &&
                       reply.xclient.data.l[1] == stamp &&
                       reply.xclient.data.l[2] == static_cast<long>(window);
        }
        pollfd fd{ConnectionNumber(x), POLLIN, 0};
        ::poll(&fd, 1, 50);
    }
    XCloseDisplay(x);
    return answered;
}

} // namespace zk::e2e
