#!/usr/bin/env python3
# The engine's menu driven through the daemon, as the panel drives it: an
# input context of its own, focused, whose engine gets PropertyActivate.
#   props_client.py STEP...   each STEP one of
#     learn-on | learn-off   the toggle "Learn the words I type"
#     clear                  the entry "Clear typing history"
#     type:KEYS              keys typed into the context
# Prints what the context was given as "commit [...]".
import sys
import time

import gi

gi.require_version("IBus", "1.0")
from gi.repository import GLib, IBus  # noqa: E402

IBus.init()
bus = IBus.Bus()
if not bus.is_connected():
    sys.exit("props client: no daemon")


def pump(seconds):
    end = time.monotonic() + seconds
    main = GLib.MainContext.default()
    while time.monotonic() < end:
        if not main.iteration(False):
            time.sleep(0.01)


ic = bus.create_input_context("props")
ic.set_capabilities(IBus.Capabilite.PREEDIT_TEXT | IBus.Capabilite.FOCUS |
                    IBus.Capabilite.PROPERTY)
commits = []
ic.connect("commit-text", lambda c, text: commits.append(text.get_text()))
ic.focus_in()
pump(0.3)
for step in sys.argv[1:]:
    if step in ("learn-on", "learn-off"):
        ic.property_activate("learn", IBus.PropState.CHECKED if step == "learn-on"
                             else IBus.PropState.UNCHECKED)
    elif step == "clear":
        ic.property_activate("clear-history", IBus.PropState.UNCHECKED)
    elif step.startswith("type:"):
        for k in step[len("type:"):]:
            ic.process_key_event(ord(k), 0, 0)
            ic.process_key_event(ord(k), 0, IBus.ModifierType.RELEASE_MASK)
            pump(0.03)
    else:
        sys.exit("props client: no step " + step)
    pump(0.3)
ic.focus_out()
pump(0.2)
print("commit [%s]" % "".join(commits), flush=True)
