#!/usr/bin/env python3
"""check-translations.py LUPDATE SOURCES_LST TS_FILE... — every catalogue is complete.

Runs lupdate over the program's sources (listed one per line in SOURCES_LST) into copies of the
catalogues, so a text added to the code shows up as unfinished and one taken out as vanished,
and fails on any entry that is unfinished, vanished or obsolete, or whose translation is empty,
drops a keyboard accelerator (&) or an argument (%1) of its source, or loses a leading blank.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def problems(ts):
    found = []
    for context in ET.parse(ts).getroot().iter("context"):
        where = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            text = translation.text or "" if translation is not None else ""
            kind = translation.get("type") if translation is not None else "missing"
            label = "%s: %s: %r" % (os.path.basename(ts), where, source[:50])
            if kind:
                found.append("%s is %s" % (label, kind))
            elif not text.strip():
                found.append("%s has no translation" % label)
            elif re.sub("&&", "", source).count("&") != re.sub("&&", "", text).count("&"):
                found.append("%s: the translation's accelerators differ (%r)" % (label, text))
            elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
                found.append("%s: the translation's arguments differ (%r)" % (label, text))
            elif source.startswith(" ") != text.startswith(" "):
                found.append("%s: the leading blanks differ (%r)" % (label, text))
    return found


def main():
    lupdate, sources, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:]
    found = []
    with tempfile.TemporaryDirectory() as work:
        copies = []
        for ts in ts_files:
            copies.append(os.path.join(work, os.path.basename(ts)))
            shutil.copyfile(ts, copies[-1])
        root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        run = subprocess.run([lupdate, "-locations", "none", "-I", root, "@" + sources, "-ts"] + copies,
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            return 1
        for copy in copies:
            found += problems(copy)
    for f in found:
        print(f)
    print("%d catalogue(s) checked: %s" % (len(ts_files), "complete" if not found else "%d problem(s)" % len(found)))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
