#!/usr/bin/python3
"""Starts a program and measures the time from its exec to its first mapped
window: every 5 ms it asks the X server for the root window's children and
takes the first one that did not exist before the start, is viewable and is at
least 40 x 40 pixels (so a tray icon does not count). No window manager may
reparent the windows.

  x11_map_time.py PROGRAM [ARGS...]

Prints "PID WINDOW MILLISECONDS CPU_MILLISECONDS" (the window id in decimal;
the CPU time the program's threads had used when the window was seen, from
their schedstat, which a loaded machine distorts far less than the wall time)
and leaves the program running; stop it by its PID. Exits 1 when no window
maps in 20 s.
"""
import ctypes
import ctypes.util
import os
import subprocess
import sys
import time

IS_VIEWABLE = 2
MIN_SIDE = 40
POLL_SECONDS = 0.005
TIMEOUT_SECONDS = 20


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int),
        ("y", ctypes.c_int),
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("border_width", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p),
        ("root", ctypes.c_ulong),
        ("c_class", ctypes.c_int),
        ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int),
        ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int),
        ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
# A window may vanish between listing it and asking for its attributes.
ignore_errors = ERROR_HANDLER(lambda display, event: 0)


def load_xlib():
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XQueryTree.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
        ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
        ctypes.POINTER(ctypes.c_uint)]
    x.XGetWindowAttributes.argtypes = [
        ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(XWindowAttributes)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XSetErrorHandler(ignore_errors)
    return x


def top_level_windows(x, display, root):
    parent, root_return = ctypes.c_ulong(), ctypes.c_ulong()
    children = ctypes.POINTER(ctypes.c_ulong)()
    count = ctypes.c_uint()
    if not x.XQueryTree(display, root, ctypes.byref(root_return), ctypes.byref(parent),
                        ctypes.byref(children), ctypes.byref(count)):
        return []
    windows = [children[i] for i in range(count.value)]
    if children:
        x.XFree(children)
    return windows


def is_shown_window(x, display, window):
    attributes = XWindowAttributes()
    if not x.XGetWindowAttributes(display, window, ctypes.byref(attributes)):
        return False
    return (attributes.map_state == IS_VIEWABLE and attributes.width >= MIN_SIDE
            and attributes.height >= MIN_SIDE)


def cpu_milliseconds(pid):
    total = 0
    try:
        for task in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as stat:
                total += int(stat.read().split()[0])
    except OSError:
        pass
    return total / 1e6


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    x = load_xlib()
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("x11_map_time: cannot open the display")
    root = x.XDefaultRootWindow(display)
    before = set(top_level_windows(x, display, root))

    start = time.monotonic()
    process = subprocess.Popen(argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while time.monotonic() - start < TIMEOUT_SECONDS:
        for window in top_level_windows(x, display, root):
            if window not in before and is_shown_window(x, display, window):
                elapsed = (time.monotonic() - start) * 1000.0
                cpu = cpu_milliseconds(process.pid)
                print("%d %d %.1f %.1f" % (process.pid, window, elapsed, cpu), flush=True)
                return
        time.sleep(POLL_SECONDS)
    print("%d 0 timeout 0" % process.pid, flush=True)
    sys.exit(1)


if __name__ == "__main__":
    main(sys.argv)
