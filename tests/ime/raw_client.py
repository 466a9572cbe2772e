#!/usr/bin/env python3
# An IBus client with no toolkit behind it: two input contexts driven straight
# through the daemon, as a program of its own would. Prints, one per line,
# what each step committed to each context and whether the daemon passed keys
# on, for ibus_e2e.sh to compare:
#   focus  A=[...] B=[...]   mera in A, focus to B, kh, focus back to A
#   switch A=[...]           mera in A, then another engine is selected
#   keys   [handled...] A=[...]   keyvals that are no character, then an emoji
import subprocess
import sys
import time

import gi

gi.require_version("IBus", "1.0")
from gi.repository import GLib, IBus  # noqa: E402

IBus.init()
bus = IBus.Bus()
if not bus.is_connected():
    sys.exit("raw client: no daemon")
commits = {}


def context(name):
    ic = bus.create_input_context(name)
    ic.set_capabilities(IBus.Capabilite.PREEDIT_TEXT | IBus.Capabilite.FOCUS)
    commits[ic] = []
    ic.connect("commit-text", lambda c, text: commits[c].append(text.get_text()))
    return ic


def pump(seconds=0.3):
    end = time.monotonic() + seconds
    main = GLib.MainContext.default()
    while time.monotonic() < end:
        if not main.iteration(False):
            time.sleep(0.01)


def key(ic, keyval):
    handled = ic.process_key_event(keyval, 0, 0)
    ic.process_key_event(keyval, 0, IBus.ModifierType.RELEASE_MASK)
    pump(0.03)
    return handled


def taken(ic):
    text = "".join(commits[ic])
    commits[ic].clear()
    return text


def type_then_leave(ic, keys):
    """Focuses ic, types keys in it and moves the focus away again."""
    ic.focus_in()
    pump()
    for k in keys:
        key(ic, ord(k))
    ic.focus_out()
    pump()


a, b = context("raw-a"), context("raw-b")
type_then_leave(a, "mera")
type_then_leave(b, "kh")
a.focus_in()
pump()
print("focus A=[%s] B=[%s]" % (taken(a), taken(b)), flush=True)

for k in "mera":
    key(a, ord(k))
subprocess.run(["ibus", "engine", sys.argv[1]], capture_output=True)
pump(0.5)
print("switch A=[%s]" % taken(a), flush=True)
subprocess.run(["ibus", "engine", sys.argv[2]], capture_output=True)
pump(0.5)
a.focus_out()
a.focus_in()
pump()
handled = [key(a, keyval) for keyval in (0x1110000, 0x100D800, 0x101F600, ord(" "))]
print("keys %s A=[%s]" % (handled, taken(a)), flush=True)
a.focus_out()
pump()
