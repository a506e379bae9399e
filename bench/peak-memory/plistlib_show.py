# What `vorlan prefs show` does, with plistlib: read, parse, print the file as stored.
import plistlib, sys
with open(sys.argv[1], "rb") as f:
    data = f.read()
plistlib.loads(data)
sys.stdout.buffer.write(data)
