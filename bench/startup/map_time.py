#!/usr/bin/python3
"""Starts a program and measures the time from exec to the mapping of its
window titled TITLE, watching the X server's map notifications on the root
window (no window manager in between).

  map_time.py TITLE PROGRAM [ARGS...]

Prints "PID MILLISECONDS" and leaves the program running (stop it by its PID).
"""
import ctypes
import ctypes.util
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XMapEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("event", ctypes.c_ulong),
        ("window", ctypes.c_ulong),
        ("override_redirect", ctypes.c_int),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    title = argv[1].encode()
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("map_time: cannot open the display")
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XSync(display, 0)

    start = time.monotonic()
    process = subprocess.Popen(argv[2:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    event = XEvent()
    while True:
        x.XNextEvent(display, ctypes.byref(event))
        if event.type != MAP_NOTIFY:
            continue
        name = ctypes.c_char_p()
        if x.XFetchName(display, event.xmap.window, ctypes.byref(name)) and name.value == title:
            break
    elapsed = (time.monotonic() - start) * 1000.0
    print("%d %.1f" % (process.pid, elapsed), flush=True)


if __name__ == "__main__":
    main(sys.argv)
