#!/usr/bin/python3
"""Finds and works the program's controls through AT-SPI, as a screen reader would.

  atspi.py --pid PID find NAME [--role ROLE] [--timeout S]
      waits until an accessible object called NAME (of ROLE, e.g. "spin button",
      "push button", "check box", "radio button", "text", "label", "menu item")
      exists; prints "ROLE<TAB>NAME<TAB>STATES"; exit status 1 when none appears
  atspi.py --pid PID do NAME [--role ROLE] [--action ACTION]
      performs the object's action (by default its first one: a button's press)
  atspi.py --pid PID value NAME [--role ROLE]
      prints the object's text
  atspi.py --pid PID centre NAME [--role ROLE]
      prints the screen coordinates "X Y" of the object's centre, for xdotool
  atspi.py --pid PID all ROLE=NAME... [--timeout S]
      waits until every listed object exists (and is showing); prints the
      missing ones and exits 1 when any stays missing
  atspi.py --pid PID watch [--timeout S]
      prints "ROLE<TAB>NAME" for every object of the program that takes the
      focus, until S seconds pass; prints "ready" once listening. Menus that
      pop up (the tray menu) are no part of the tree, but their items take
      the focus as the keyboard moves through them.
  atspi.py --pid PID tree
      prints every object of the program: depth, role, name

Needs /usr/bin/python3 with python3-pyatspi; the program must run with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (the harness sets it).
"""
import argparse
import signal
import sys
import time

import pyatspi
from gi.repository import Atspi


# Roles are compared by their Atspi.Role value, never by the name the library
# gives them: the names change between releases of AT-SPI (a push button is
# "push button" in Debian 12's and "button" in Debian 13's), the values do
# not. The tests name roles as the Atspi.Role members are named, lower case,
# with spaces ("push button", "spin button", "menu item"), and the helper
# prints them so on either release.
def role_value(text):
    value = getattr(Atspi.Role, text.upper().replace(" ", "_").replace("-", "_"), None)
    if not isinstance(value, Atspi.Role):
        sys.exit("no such role: %r" % text)
    return value


# The names Debian 13's AT-SPI gave roles anew, and what Debian 12's (and the
# tests) call them.
FORMER_NAMES = {"button": "push button"}


def role_text(node):
    """The role as the tests name it, whatever this release calls it."""
    try:
        nick = Atspi.Role(node.getRole()).value_nick.replace("-", " ")
    except (ValueError, AttributeError):
        nick = node.getRoleName()
    return FORMER_NAMES.get(nick, nick)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def walk(node, depth=0):
    yield depth, node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def matches(node, name, role):
    """role: an Atspi.Role, or None for any."""
    if node.name != name:
        return False
    return role is None or node.getRole() == role


def find(pid, name, role, timeout):
    deadline = time.monotonic() + timeout
    while True:
        app = application(pid)
        if app is not None:
            for _, node in walk(app):
                if matches(node, name, role):
                    return node
        if time.monotonic() >= deadline:
            return None
        time.sleep(0.2)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def all_showing(pid, wanted, timeout):
    """The (role, name) pairs of wanted that no showing object matches in time."""
    deadline = time.monotonic() + timeout
    while True:
        app = application(pid)
        found = set()
        if app is not None:
            for _, node in walk(app):
                for role, name in wanted:
                    if matches(node, name, role) and showing(node):
                        found.add((role, name))
        missing = [item for item in wanted if item not in found]
        if not missing or time.monotonic() >= deadline:
            return missing
        time.sleep(0.2)


def watch(pid, seconds):
    from gi.repository import GLib

    def on_focus(event):
        try:
            if event.detail1 == 1 and event.host_application.get_process_id() == pid:
                print("%s\t%s" % (role_text(event.source), event.source.name), flush=True)
        except Exception:  # an object that went away meanwhile
            pass

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    GLib.timeout_add(int(seconds * 1000), pyatspi.Registry.stop)
    GLib.idle_add(lambda: print("ready", flush=True) and False)
    pyatspi.Registry.start()


def states(node):
    names = [pyatspi.stateToString(s) for s in node.getState().getStates()]
    return ",".join(sorted(names))


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return node.name


def main():
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)  # quiet when a reader like grep -q stops early
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("command", choices=["find", "do", "value", "centre", "all", "watch", "tree"])
    parser.add_argument("name", nargs="*")
    parser.add_argument("--role")
    parser.add_argument("--action")
    parser.add_argument("--timeout", type=float, default=10.0)
    args = parser.parse_intermixed_args()

    if args.command == "all":
        wanted = [tuple(item.split("=", 1)) for item in args.name]
        by_value = [(role_value(role), name) for role, name in wanted]
        missing = all_showing(args.pid, by_value, args.timeout)
        for role, name in wanted:
            if (role_value(role), name) in missing:
                print("missing: %s %r" % (role, name), file=sys.stderr)
        sys.exit(1 if missing else 0)

    if args.command == "watch":
        watch(args.pid, args.timeout)
        return

    if args.command == "tree":
        app = application(args.pid)
        if app is None:
            sys.exit("no accessible application with pid %d" % args.pid)
        for depth, node in walk(app):
            print("%s%s: %s" % ("  " * depth, role_text(node), node.name))
        return

    args.name = args.name[0] if args.name else None
    role = role_value(args.role) if args.role else None
    node = find(args.pid, args.name, role, args.timeout)
    if node is None:
        print("not found: %r (role %s)" % (args.name, args.role), file=sys.stderr)
        sys.exit(1)
    if args.command == "find":
        print("%s\t%s\t%s" % (role_text(node), node.name, states(node)))
    elif args.command == "value":
        print(text_of(node))
    elif args.command == "centre":
        box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print("%d %d" % (box.x + box.width // 2, box.y + box.height // 2))
    else:
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        index = names.index(args.action) if args.action else 0
        action.doAction(index)


if __name__ == "__main__":
    main()
