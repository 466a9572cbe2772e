#!/usr/bin/env python3
# Stands in for a desktop panel of fcitx5's kimpanel protocol, through which
# fcitx5 shows the focused input method's menu and takes clicks on it: owns
# the panel's bus name, waits until fcitx5 shows an entry named by the first
# argument, prints the entries shown ("shown NAME..."), then clicks the entry
# named by the second argument and stays, as fcitx5 acts on a click after a
# delay, until the caller has seen it act and ends it (or for ten seconds).
#   fcitx5_panel_client.py ENTRY CLICK
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

wanted = "/Fcitx/" + sys.argv[1]
click = sys.argv[2]
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
loop = GLib.MainLoop()
shown = []


def registered(_bus, _sender, _path, _interface, _signal, parameters):
    properties = [p.split(":")[0] for p in parameters.unpack()[0]]
    if wanted not in properties or shown:
        return
    shown.extend(properties)
    print("shown " + " ".join(p for p in properties if p.startswith("/Fcitx/lekhora")), flush=True)
    bus.emit_signal(None, "/org/kde/impanel", "org.kde.impanel", "TriggerProperty",
                    GLib.Variant("(s)", ("/Fcitx/" + click,)))
    bus.flush_sync(None)


bus.signal_subscribe(None, "org.kde.kimpanel.inputmethod", "RegisterProperties", None, None,
                     Gio.DBusSignalFlags.NONE, registered)
# fcitx5 shows the menu once it sees a panel, at each focus and when a panel
# says it has been made, which this one says until it sees the entry.
Gio.bus_own_name_on_connection(bus, "org.kde.impanel", Gio.BusNameOwnerFlags.NONE, None, None)


def created():
    if not shown:
        bus.emit_signal(None, "/org/kde/impanel", "org.kde.impanel", "PanelCreated", None)
    return not shown


GLib.timeout_add(200, created)
GLib.timeout_add_seconds(10, loop.quit)
loop.run()
if not shown:
    print("not shown", flush=True)
sys.exit(0 if shown else 1)
