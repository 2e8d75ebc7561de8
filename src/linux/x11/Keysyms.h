// The X keysyms Dovrik names, from X11/keysymdef.h, without pulling in Xlib's headers.
#pragma once

#include <xcb/xcb.h>

namespace dovrik::x11 {

inline constexpr xcb_keysym_t XK_space = 0x0020;
inline constexpr xcb_keysym_t XK_a = 0x0061;
inline constexpr xcb_keysym_t XK_j = 0x006a;
inline constexpr xcb_keysym_t XK_v = 0x0076;
inline constexpr xcb_keysym_t XK_BackSpace = 0xff08;
inline constexpr xcb_keysym_t XK_Tab = 0xff09;
inline constexpr xcb_keysym_t XK_Scroll_Lock = 0xff14;
inline constexpr xcb_keysym_t XK_Escape = 0xff1b;
inline constexpr xcb_keysym_t XK_Left = 0xff51;
inline constexpr xcb_keysym_t XK_Up = 0xff52;
inline constexpr xcb_keysym_t XK_Right = 0xff53;
inline constexpr xcb_keysym_t XK_Down = 0xff54;
inline constexpr xcb_keysym_t XK_Insert = 0xff63;
inline constexpr xcb_keysym_t XK_Num_Lock = 0xff7f;
inline constexpr xcb_keysym_t XK_F1 = 0xffbe;
inline constexpr xcb_keysym_t XK_Shift_L = 0xffe1;
inline constexpr xcb_keysym_t XK_Control_L = 0xffe3;
inline constexpr xcb_keysym_t XK_Alt_L = 0xffe9;
inline constexpr xcb_keysym_t XK_Super_L = 0xffeb;

}  // namespace dovrik::x11
