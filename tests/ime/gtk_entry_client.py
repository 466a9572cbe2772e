#!/usr/bin/env python3
# A GTK 3 entry for the input method tests: prints "ready" once it has the
# keyboard focus and writes its whole text to the file named by its argument
# on every change (through a rename, so a reader never sees half of it).
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402

out = sys.argv[1]
told = False


def changed(entry):
    with open(out + ".new", "w", encoding="utf-8") as f:
        f.write(entry.get_text())
    os.replace(out + ".new", out)


def focused(*_):
    global told
    if not told:
        told = True
        print("ready", flush=True)
    return False


window = Gtk.Window()
window.set_default_size(400, 40)
entry = Gtk.Entry()
entry.connect("changed", changed)
entry.connect("focus-in-event", focused)
window.add(entry)
window.connect("destroy", Gtk.main_quit)
window.show_all()
window.present()
GLib.timeout_add(100, lambda: entry.grab_focus() or False)
Gtk.main()
