#!/usr/bin/env python3
"""Writes a small PNG of one opaque colour: MakeTestPng.py OUT WIDTH HEIGHT RRGGBB."""
import struct
import sys
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    out, width, height, colour = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    pixel = bytes.fromhex(colour) + b"\xff"
    rows = b"".join(b"\x00" + pixel * width for _ in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) +
           chunk(b"IEND", b""))
    with open(out, "wb") as file:
        file.write(png)


if __name__ == "__main__":
    main()
