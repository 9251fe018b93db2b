#include "close_requests.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace cj::ui {

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

}  // namespace

CloseRequests::CloseRequests(const QWidget& window, std::function<void()> asked)
    : window_(window), asked_(std::move(asked)) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    protocols_ = atomNamed(x11->connection(), "WM_PROTOCOLS");
    deleteWindow_ = atomNamed(x11->connection(), "WM_DELETE_WINDOW");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CloseRequests::~CloseRequests() { QCoreApplication::instance()->removeNativeEventFilter(this); }

bool CloseRequests::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !QGuiApplication::modalWindow()) return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    const auto* request = static_cast<const xcb_client_message_event_t*>(message);
    if (request->window != window_.winId() || request->format != 32 || request->type != protocols_ ||
        request->data.data32[0] != deleteWindow_) {
        return false;
    }
    asked_();
    return true;
}

}  // namespace cj::ui
