// Geometry, compositing and timing curves for Dovrik's floating windows.
#include "ui/X11WindowSupport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace dovrik::ui {

QRect rootToQt(const Rect& root) {
  const QPoint origin(static_cast<int>(std::lround(root.x)), static_cast<int>(std::lround(root.y)));
  const QSize size(static_cast<int>(std::lround(root.width)),
                   static_cast<int>(std::lround(root.height)));
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect logical = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    if (QRect(logical.topLeft(), logical.size() * ratio).contains(origin))
      return {logical.topLeft() + (origin - logical.topLeft()) / ratio, size / ratio};
  }
  return {origin, size};
}

bool isCompositing() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11)
    return true;
  xcb_connection_t* c = x11->connection();
  // Qt opens the screen $DISPLAY names; its compositing manager owns _NET_WM_CM_S<number>.
  int screenNumber = 0;
  char* host = nullptr;
  int display = 0;
  if (xcb_parse_display(nullptr, &host, &display, &screenNumber) == 0)
    screenNumber = 0;
  std::free(host);
  const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
  if (!atom)
    return false;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
  const bool owned = owner && owner->owner != XCB_NONE;
  std::free(owner);
  std::free(atom);
  return owned;
}

QEasingCurve easingFor(AnimationCurve curve) {
  QEasingCurve easing(QEasingCurve::BezierSpline);
  switch (curve) {
    case AnimationCurve::easeOut:
      easing.addCubicBezierSegment({0, 0}, {0.58, 1}, {1, 1});
      break;
    case AnimationCurve::easeIn:
      easing.addCubicBezierSegment({0.42, 0}, {1, 1}, {1, 1});
      break;
    case AnimationCurve::easeInOut:
      easing.addCubicBezierSegment({0.42, 0}, {0.58, 1}, {1, 1});
      break;
  }
  return easing;
}

namespace {

// Qt's X connection; the offscreen platform answers the X11 interface without one.
xcb_connection_t* qtConnection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atomNamed(xcb_connection_t* c, std::string_view name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

void centreOnPointerScreen(QWidget& window) {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  if (!screen)
    screen = QGuiApplication::primaryScreen();
  if (!screen)
    return;
  QRect box = window.frameGeometry();
  box.moveCenter(screen->availableGeometry().center());
  window.move(box.topLeft());
}

void bringForwardAndActivate(QWidget& window) {
  window.raise();
  // Focus-stealing prevention may refuse an application's own request; a pager's request
  // (source 2) is what window managers honour for a window the user asked for.
  if (!askWindowManagerToActivate(window))
    window.activateWindow();
}

void setExactTitle(QWidget& window, const QString& title) {
  window.setWindowTitle(title);
  xcb_connection_t* c = qtConnection();
  if (!c)
    return;
  const QByteArray utf8 = title.toUtf8();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const auto length = static_cast<std::uint32_t>(utf8.size());
  const xcb_atom_t utf8String = atomNamed(c, "UTF8_STRING");
  for (const xcb_atom_t property : {atomNamed(c, "_NET_WM_NAME"), xcb_atom_t{XCB_ATOM_WM_NAME}}) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, property, utf8String, 8, length,
                        utf8.constData());
  }
  xcb_flush(c);
}

bool askWindowManagerToActivate(QWidget& window) {
  xcb_connection_t* c = qtConnection();
  if (!c)
    return false;
  const xcb_atom_t active = atomNamed(c, "_NET_ACTIVE_WINDOW");
  if (active == XCB_ATOM_NONE)
    return false;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = static_cast<xcb_window_t>(window.winId());
  message.type = active;
  message.data.data32[0] = 2;  // source: a pager, acting for the user
  message.data.data32[1] = XCB_CURRENT_TIME;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  xcb_send_event(c, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);
  return true;
}

}  // namespace dovrik::ui
