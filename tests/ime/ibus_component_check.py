#!/usr/bin/env python3
# Checks an IBus component file: every engine names an icon that exists and a
# symbol, and no two engines share either, so the tray and the desktop's input
# source list tell them apart.
#   ibus_component_check.py COMPONENT.xml [DAEMON]
# With DAEMON, the running daemon (IBUS_ADDRESS_FILE) must describe the
# engines the same way.
import os
import sys
import xml.etree.ElementTree as ET

problems = []
engines = {}
for engine in ET.parse(sys.argv[1]).getroot().iter("engine"):
    name = engine.findtext("name")
    icon = engine.findtext("icon") or ""
    symbol = engine.findtext("symbol") or ""
    engines[name] = (icon, symbol)
    if not os.path.isabs(icon) or not os.path.isfile(icon):
        problems.append(f"{name}: the icon {icon!r} is not a file")
    elif "<svg" not in open(icon, encoding="utf-8").read():
        problems.append(f"{name}: the icon {icon!r} is no SVG picture")
    if not symbol.strip():
        problems.append(f"{name}: no symbol")
if len(engines) < 4:
    problems.append(f"only {len(engines)} engines")
for what, index in (("icon", 0), ("symbol", 1)):
    values = [v[index] for v in engines.values()]
    if len(set(values)) != len(values):
        problems.append(f"engines share {what}s: {values}")

if len(sys.argv) > 2:
    import gi

    gi.require_version("IBus", "1.0")
    from gi.repository import IBus

    bus = IBus.Bus()
    described = {d.get_name(): (d.get_icon(), d.get_symbol()) for d in bus.list_engines()}
    for name, expected in engines.items():
        if described.get(name) != expected:
            problems.append(f"the daemon describes {name} as {described.get(name)}, not {expected}")

for p in problems:
    print(p, file=sys.stderr)
sys.exit(1 if problems else 0)
