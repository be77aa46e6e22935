#!/usr/bin/python3
"""Prints "map MILLISECONDS WINDOW" (ms since the epoch, the window id in
decimal) for every window mapped as a child of the root window, as the X
server reports it (MapNotify on the root's substructure), so no window manager
may reparent the windows. Runs until killed."""
import ctypes
import ctypes.util
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


def main():
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    display = x.XOpenDisplay(None)
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    event = XEvent()
    while True:
        x.XNextEvent(display, ctypes.byref(event))
        if event.type == MAP_NOTIFY:
            print(f"map {int(time.time() * 1000)} {event.xmap.window}", flush=True)


if __name__ == "__main__":
    main()
