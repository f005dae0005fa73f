#!/usr/bin/env python3
"""Packs the skin images into the zip archive the program embeds (resource "ZIPRES" 147).

The entries are deflated and carry a fixed date, so the same images always give the same bytes.

Usage: pack_skin.py ARCHIVE IMAGE...
"""

import os
import sys
import zipfile


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    archive, images = sys.argv[1], sys.argv[2:]
    with zipfile.ZipFile(archive, "w", compression=zipfile.ZIP_DEFLATED) as out:
        for image in images:
            entry = zipfile.ZipInfo(os.path.basename(image), date_time=(2020, 1, 1, 0, 0, 0))
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(image, "rb") as data:
                out.writestr(entry, data.read())


if __name__ == "__main__":
    main()
