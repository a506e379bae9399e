# Writes a settings file of CELLS cells (10,000 unless given; about 30 MiB) as plistlib writes it:
# the sections and records of the property-list benchmarks, each record with a 2 KB icon.
# Usage: generate.py FILE [CELLS]
import plistlib, sys
cells = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
hidden, enabled, renamed, specs = {}, {}, {}, {}
for cell in range(cells):
    page = "PSPageController%d" % (cell // 20)
    ident = "com.vorlan.cell.%05d" % cell
    if cell % 3 == 0: hidden.setdefault(page, {})[ident] = True
    enabled.setdefault(page, {})[ident] = cell % 7 != 0
    if cell % 5 == 0: renamed.setdefault(page, {})[ident] = "Renamed cell " + ident
    specs[ident] = {"name": "Cell " + ident, "icon": bytes(((i * 31 + cell) & 0xFF) for i in range(2048))}
root = {"hidden": hidden, "enabled": enabled, "renamed": renamed, "specs": specs}
with open(sys.argv[1], "wb") as f:
    plistlib.dump(root, f, sort_keys=True)
