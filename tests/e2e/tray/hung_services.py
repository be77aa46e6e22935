#!/usr/bin/python3
"""Owns names on the session bus and never answers a call to them, as a frozen
panel or screensaver does.

  hung_services.py NAME...

Prints "ready" once it owns every NAME, then reads nothing more from the bus
until it is ended: every call to it waits for the caller's own timeout. Not
even the bus's standard interfaces (Introspect, Properties, Peer.Ping)
answer, as none does when the service's process hangs.
"""
import signal
import sys

import dbus


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    # No main loop: libdbus reads the socket only inside a call of its own,
    # so nothing that arrives after the last RequestName is ever dispatched.
    bus = dbus.SessionBus()
    for name in sys.argv[1:]:
        reply = bus.request_name(name, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
        if reply != dbus.bus.REQUEST_NAME_REPLY_PRIMARY_OWNER:
            sys.exit("%s is owned already" % name)
    print("ready", flush=True)
    while True:
        signal.pause()


if __name__ == "__main__":
    main()
