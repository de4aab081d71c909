#include "qt/window_system.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace sob::qt {

namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp == nullptr ? nullptr
                                   : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 == nullptr ? nullptr : x11->connection();
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply == nullptr ? xcb_atom_t{XCB_ATOM_NONE} : reply->atom;
    std::free(reply);
    return result;
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

void leaveResizeSynchronisation(QWidget* window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) return;
    const auto id = static_cast<xcb_window_t>(window->winId());  // creates the X window
    const xcb_atom_t protocols = atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t syncRequest = atom(connection, "_NET_WM_SYNC_REQUEST");
    if (protocols == XCB_ATOM_NONE || syncRequest == XCB_ATOM_NONE) return;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, protocols, XCB_ATOM_ATOM, 0, 64), nullptr);
    if (reply == nullptr) return;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / static_cast<int>(sizeof(xcb_atom_t));
    std::vector<xcb_atom_t> kept;
    for (int i = 0; i < count; ++i)
        if (atoms[i] != syncRequest) kept.push_back(atoms[i]);
    if (static_cast<int>(kept.size()) != count)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, protocols, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(kept.size()), kept.data());
    std::free(reply);
}

}  // namespace sob::qt
