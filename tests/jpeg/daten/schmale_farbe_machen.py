#!/usr/bin/env python3
"""Makes schmale_farbe.bin: small noisy pictures with narrow sideways-doubled
chroma, one stream each (4:2:2 and 4:2:0 from jpegwerk, the other layouts
from cjpeg), and djpeg's smoothed decode of each at 1/1, 1/2, 1/4 and 1/8.

    schmale_farbe_machen.py JPEGWERK AUS.bin

Layout of the file (little-endian): "KSF1", u32 count; per picture: u8
length of its name, the name, u16 width, u16 height, u32 stream length, the
stream; then for 1/1, 1/2, 1/4, 1/8: u16 width, u16 height, the RGB rows.
"""
import os
import random
import struct
import subprocess
import sys
import tempfile

WERK, AUS = sys.argv[1], sys.argv[2]
BREITEN = [1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20, 24, 32, 40, 48]
LAYOUTS = [("422", "werk", "422"), ("420", "werk", "420"), ("410", "cjpeg", "4x2"),
           ("411", "cjpeg", "4x1"), ("420_444_422", "cjpeg", "2x2,1x1,2x1"),
           ("422_440_444", "cjpeg", "2x1,1x2,1x1")]


def lesen(pfad):
    d = open(pfad, "rb").read()
    teile = d.split(b"\n", 3)
    w, h = map(int, teile[1].split())
    return w, h, teile[3]


with tempfile.TemporaryDirectory() as ordner:
    ein, jpg, ref = (os.path.join(ordner, n) for n in ("ein.ppm", "ein.jpg", "ref.ppm"))
    faelle = []
    for name, wer, abtastung in LAYOUTS:
        for w in BREITEN:
            h = 18 if w <= 16 else 9
            zufall = random.Random(w * 1009 + h * 31 + len(faelle))
            with open(ein, "wb") as f:
                f.write(b"P6\n%d %d\n255\n" % (w, h) + bytes(zufall.randrange(256) for _ in range(w * h * 3)))
            if wer == "werk":
                subprocess.run([WERK, "k", "-q", "75", "-abtastung", abtastung, ein, jpg], check=True)
            else:
                subprocess.run("cjpeg -optimize -quality 75 -sample %s %s > %s" % (abtastung, ein, jpg),
                               shell=True, check=True)
            strom = open(jpg, "rb").read()
            block = struct.pack("<B", len(name)) + name.encode() + struct.pack("<HHI", w, h, len(strom)) + strom
            for skala in (1, 2, 4, 8):
                subprocess.run("djpeg -dct int -ppm -scale 1/%d %s > %s" % (skala, jpg, ref), shell=True, check=True)
                rw, rh, px = lesen(ref)
                block += struct.pack("<HH", rw, rh) + px
            faelle.append(block)
    with open(AUS, "wb") as f:
        f.write(b"KSF1" + struct.pack("<I", len(faelle)) + b"".join(faelle))
