#!/usr/bin/env python3
# Two GTK 3 entries for the input method tests. Prints "ready" once the first
# has the keyboard focus and "focus a" / "focus b" whenever one gets it; writes
# the text of the first entry to the file named by its argument and that of
# the second to the same name with ".b" added, on every change (through a
# rename, so a reader never sees half of it). Lines on standard input:
#   focus a|b              moves the keyboard focus to that entry
#   purpose a|b free|password|pin   sets the entry's input purpose
#   where a|b              prints "at X Y": a point near the right end of that
#                          entry, on the screen
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402

out = sys.argv[1]
told = False


def writer(name):
    def changed(entry):
        with open(name + ".new", "w", encoding="utf-8") as f:
            f.write(entry.get_text())
        os.replace(name + ".new", name)

    return changed


def focused(label):
    def handler(*_):
        global told
        if not told:
            told = True
            print("ready", flush=True)
        print("focus " + label, flush=True)
        return False

    return handler


window = Gtk.Window()
window.set_default_size(400, 80)
box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
entries = {}
for label, name in (("a", out), ("b", out + ".b")):
    entry = Gtk.Entry()
    entry.connect("changed", writer(name))
    entry.connect("focus-in-event", focused(label))
    box.pack_start(entry, False, False, 0)
    entries[label] = entry
window.add(box)
window.connect("destroy", Gtk.main_quit)

purposes = {
    "free": Gtk.InputPurpose.FREE_FORM,
    "password": Gtk.InputPurpose.PASSWORD,
    "pin": Gtk.InputPurpose.PIN,
}


pending = b""


def command(fd, _condition):
    global pending
    data = os.read(fd, 256)
    if not data:
        return False
    pending += data
    while b"\n" in pending:
        line, pending = pending.split(b"\n", 1)
        run(line.decode().split())
    return True


def run(words):
    if words[:1] == ["focus"]:
        entries[words[1]].grab_focus_without_selecting()
    elif words[:1] == ["purpose"]:
        entries[words[1]].set_input_purpose(purposes[words[2]])
    elif words[:1] == ["where"]:
        entry = entries[words[1]]
        allocation = entry.get_allocation()
        _, x, y = entry.get_window().get_origin()
        x += allocation.x + allocation.width - 10
        y += allocation.y + allocation.height // 2
        print("at %d %d" % (x, y), flush=True)


GLib.io_add_watch(0, GLib.IO_IN | GLib.IO_HUP, command)
window.show_all()
window.present()
GLib.timeout_add(100, lambda: entries["a"].grab_focus() or False)
Gtk.main()
