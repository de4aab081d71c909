#include "qt/window_system.h"

#include <cstdlib>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

#include <xcb/xcb.h>

namespace sob::qt {

namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp == nullptr ? nullptr
                                   : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 == nullptr ? nullptr : x11->connection();
}

}  // namespace

bool syncWithWindowSystem() {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) return false;
    // Any request with a reply will do: the reply comes once the server has
    // handled every request sent before it.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return true;
}

}  // namespace sob::qt
