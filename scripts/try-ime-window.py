#!/usr/bin/env python3
# The text window of make try-ime: a text area typed through the private IBus
# session, and buttons that switch between the four engines.
import subprocess
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

ENGINES = [
    ("lekhora-vimra", "Phonetic (Vimra)"),
    ("lekhora-phonetic", "Phonetic"),
    ("lekhora-inscript", "Inscript"),
    ("lekhora-remington", "Remington"),
]

window = Gtk.Window(title="Lekhora input method")
window.set_default_size(640, 360)
box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, spacing=6)
box.set_border_width(8)
hint = Gtk.Label(label="Type in the box: \"kh kai Aii \" gives Hindi. Shift+Space takes the "
                 "highlighted suggestion, Shift+Up/Down move it.")
hint.set_line_wrap(True)
box.pack_start(hint, False, False, 0)
buttons = Gtk.Box(spacing=6)
view = Gtk.TextView()
view.set_wrap_mode(Gtk.WrapMode.WORD_CHAR)


def choose(_, name):
    subprocess.run(["ibus", "engine", name], check=False)
    view.grab_focus()


for name, label in ENGINES:
    button = Gtk.Button(label=label)
    button.connect("clicked", choose, name)
    buttons.pack_start(button, False, False, 0)
box.pack_start(buttons, False, False, 0)
scroll = Gtk.ScrolledWindow()
scroll.add(view)
box.pack_start(scroll, True, True, 0)
window.add(box)
window.connect("destroy", Gtk.main_quit)
window.show_all()
view.grab_focus()
Gtk.main()
