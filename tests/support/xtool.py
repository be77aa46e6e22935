#!/usr/bin/python3
"""Small X11 requests the command-line tools lack, through libX11 and ctypes.

  xtool.py close WINDOW        ask a window to close, as a window manager's close
                               button does (WM_DELETE_WINDOW)
  xtool.py owner SELECTION     print the window owning a selection, 0 for none
                               (the tray host owns _NET_SYSTEM_TRAY_S0)
  xtool.py state WINDOW NAME...  ask the window manager to add the states
                               _NET_WM_STATE_NAME to a window (at most two), as
                               its maximise box does with MAXIMIZED_VERT and
                               MAXIMIZED_HORZ

The display comes from $DISPLAY. Window ids may be decimal or 0x hex.
"""
import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0


class ClientMessageData(ctypes.Union):
    _fields_ = [("l", ctypes.c_long * 5)]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ClientMessageData),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def open_x():
    lib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    lib.XOpenDisplay.restype = ctypes.c_void_p
    lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    lib.XInternAtom.restype = ctypes.c_ulong
    lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    lib.XGetSelectionOwner.restype = ctypes.c_ulong
    lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(XEvent)]
    lib.XFlush.argtypes = [ctypes.c_void_p]
    lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    lib.XDefaultRootWindow.restype = ctypes.c_ulong
    lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    display = lib.XOpenDisplay(None)
    if not display:
        sys.exit("xtool: cannot open the display")
    return lib, display


def close(lib, display, window):
    event = XEvent()
    message = event.xclient
    message.type = CLIENT_MESSAGE
    message.window = window
    message.message_type = lib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    message.format = 32
    message.data.l[0] = lib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    message.data.l[1] = 0  # CurrentTime
    lib.XSendEvent(display, window, 0, NO_EVENT_MASK, ctypes.byref(event))
    lib.XFlush(display)


SUBSTRUCTURE_NOTIFY_AND_REDIRECT = (1 << 19) | (1 << 20)
NET_WM_STATE_ADD = 1
SOURCE_APPLICATION = 1


def add_state(lib, display, window, names):
    event = XEvent()
    message = event.xclient
    message.type = CLIENT_MESSAGE
    message.window = window
    message.message_type = lib.XInternAtom(display, b"_NET_WM_STATE", 0)
    message.format = 32
    message.data.l[0] = NET_WM_STATE_ADD
    for index, name in enumerate(names, start=1):
        message.data.l[index] = lib.XInternAtom(display, b"_NET_WM_STATE_" + name.encode(), 0)
    message.data.l[3] = SOURCE_APPLICATION
    lib.XSendEvent(display, lib.XDefaultRootWindow(display), 0,
                   SUBSTRUCTURE_NOTIFY_AND_REDIRECT, ctypes.byref(event))
    lib.XFlush(display)


def main(argv):
    states = len(argv) > 1 and argv[1] == "state" and 4 <= len(argv) <= 5
    if not states and (len(argv) != 3 or argv[1] not in ("close", "owner")):
        sys.exit(__doc__)
    lib, display = open_x()
    if argv[1] == "close":
        close(lib, display, int(argv[2], 0))
    elif states:
        add_state(lib, display, int(argv[2], 0), argv[3:])
    else:
        print(lib.XGetSelectionOwner(display, lib.XInternAtom(display, argv[2].encode(), 0)))
    lib.XCloseDisplay(display)


if __name__ == "__main__":
    main(sys.argv)
