#!/usr/bin/env python3
"""Writes the DIB fuzzer's seed corpus: one small file per encoding and
header layout, so the fuzzer starts from every decoding path."""
import os
import struct
import sys


def info(width, height, bits, compression=0, colors_used=0, size_image=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression,
                       size_image, 2835, 2835, colors_used, 0)


def core(width, height, bits):
    return struct.pack('<IHHHH', 12, width, height, 1, bits)


def palette(entries, core_layout=False):
    out = b''
    for i in range(entries):
        v = i * 255 // max(entries - 1, 1)
        out += bytes([v, 255 - v, i & 255]) + (b'' if core_layout else b'\0')
    return out


def bmp(dib, pixels):
    offset = 14 + len(dib)
    return b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0,
                               offset) + dib + pixels


def rows(row_bytes, count):
    pad = (-len(row_bytes)) % 4
    return (row_bytes + b'\0' * pad) * count


SEEDS = {
    'rgb24.bmp': bmp(info(3, 2, 24), rows(bytes(range(9)), 2)),
    'rgb24_topdown.bmp': bmp(info(2, -2, 24), rows(bytes(range(6)), 2)),
    'rgb32.bmp': bmp(info(2, 2, 32), rows(bytes(range(8)), 2)),
    'rgb16.bmp': bmp(info(3, 2, 16), rows(b'\x1f\x00\xe0\x03\x00\x7c', 2)),
    'fields16.bmp': bmp(info(2, 1, 16, 3) +
                        struct.pack('<III', 0xF800, 0x07E0, 0x001F),
                        rows(b'\x00\xf8\xe0\x07', 1)),
    'fields32.bmp': bmp(info(1, 1, 32, 3) +
                        struct.pack('<III', 0xFF, 0xFF00, 0xFF0000),
                        rows(b'\x01\x02\x03\x04', 1)),
    'pal8.bmp': bmp(info(3, 2, 8) + palette(256), rows(b'\x00\x80\xff', 2)),
    'pal8_used16.bmp': bmp(info(3, 1, 8, 0, 16) + palette(16),
                           rows(b'\x01\x0f\x20', 1)),
    'pal4.bmp': bmp(info(3, 2, 4) + palette(16), rows(b'\x1f\x70', 2)),
    'pal1.bmp': bmp(info(10, 1, 1) + palette(2), rows(b'\xa5\x80', 1)),
    'rle8.bmp': bmp(info(6, 3, 8, 1) + palette(256),
                    bytes([3, 10, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 1,
                           2, 20, 0, 1])),
    'rle4.bmp': bmp(info(7, 2, 4, 2) + palette(16),
                    bytes([5, 0x1f, 0, 3, 0x23, 0x40, 0, 0, 0, 5, 0x56, 0x78,
                           0x90, 0, 2, 0xab, 0, 1])),
    'core24.bmp': bmp(core(2, 2, 24), rows(bytes(range(6)), 2)),
    'core8_packed.dib': core(2, 1, 8) + palette(256, True) +
                        rows(b'\x05\xfa', 1),
    'info8_packed.dib': info(2, 1, 8) + palette(256) + rows(b'\x05\xfa', 1),
    'info24_packed.dib': info(1, 1, 24) + rows(b'\x10\x20\x30', 1),
}

out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), 'corpus')
os.makedirs(out_dir, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(out_dir, name), 'wb') as f:
        f.write(data)
