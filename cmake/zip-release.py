#!/usr/bin/env python3
"""Packs a release folder's files into a zip that depends on their contents only.

    zip-release.py ZIP DATE MEMBER...

Run in the folder that holds the members (paths with "/"). The entries come in the order
given, each with DATE ("YYYY-MM-DD HH:MM:SS", as the zip's DOS time: no time zone), the
attributes of a plain file written by Windows and no extra fields, so that two builds of
the same sources give the same bytes wherever and whenever they run (a file system's access
and change times, its owners and modes never reach the zip).
"""
import os
import sys
import time
import zipfile


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    target, date, members = argv[1], argv[2], argv[3:]
    stamp = time.strptime(date, "%Y-%m-%d %H:%M:%S")[:6]
    if stamp[0] < 1980:
        sys.stderr.write(f"zip-release: {date}: a zip holds no date before 1980\n")
        return 2
    partial = target + ".part"  # a failed run leaves no zip that looks whole
    with zipfile.ZipFile(partial, "w") as archive:
        for member in members:
            with open(member, "rb") as source:
                data = source.read()
            entry = zipfile.ZipInfo(member, date_time=stamp)
            entry.create_system = 0            # MS-DOS attributes, as Windows writes them
            entry.external_attr = 0x20         # archive: a plain file
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)
    os.replace(partial, target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
