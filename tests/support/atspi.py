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
  atspi.py --pid PID tree
      prints every object of the program: depth, role, name

Needs /usr/bin/python3 with python3-pyatspi; the program must run with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (the harness sets it).
"""
import argparse
import sys
import time

import pyatspi


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
    if node.name != name:
        return False
    return role is None or node.getRoleName() == role


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
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--pid", type=int, required=True)
    parser.add_argument("command", choices=["find", "do", "value", "tree"])
    parser.add_argument("name", nargs="?")
    parser.add_argument("--role")
    parser.add_argument("--action")
    parser.add_argument("--timeout", type=float, default=10.0)
    args = parser.parse_args()

    if args.command == "tree":
        app = application(args.pid)
        if app is None:
            sys.exit("no accessible application with pid %d" % args.pid)
        for depth, node in walk(app):
            print("%s%s: %s" % ("  " * depth, node.getRoleName(), node.name))
        return

    node = find(args.pid, args.name, args.role, args.timeout)
    if node is None:
        print("not found: %r (role %s)" % (args.name, args.role), file=sys.stderr)
        sys.exit(1)
    if args.command == "find":
        print("%s\t%s\t%s" % (node.getRoleName(), node.name, states(node)))
    elif args.command == "value":
        print(text_of(node))
    else:
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        index = names.index(args.action) if args.action else 0
        action.doAction(index)


if __name__ == "__main__":
    main()
