#!/usr/bin/env python3
"""Generates the sample skin shipped in the release archives: tools/release/skin/sakura.bmp,
cherry blossoms over a soft pink-to-sky wash, as an 8-bit BMP that tiles seamlessly.

    make_sample_skin.py            write the file
    make_sample_skin.py --check    compare with the file on disk; exit 1 when it differs

The picture depends on nothing but this code, so a run reproduces the committed file."""

import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

import argparse
import math
import pathlib

import bitmap_files

OUTPUT = pathlib.Path(__file__).resolve().parents[1] / "release" / "skin" / "sakura.bmp"
SIZE = 240
WASH_LEVELS = 32
PETAL_LEVELS = 32
SKY, BLUSH = (232, 241, 255), (255, 236, 243)
PETAL_EDGE, PETAL_HEART = (255, 226, 236), (238, 150, 181)
STAMEN = (246, 196, 120)
# Blossoms as (x, y, radius, turn); positions wrap, so the picture tiles without seams.
BLOSSOMS = (
    (40, 36, 22, 0.1), (150, 20, 15, 0.9), (210, 110, 26, 0.4), (96, 120, 18, 1.3),
    (20, 180, 16, 0.7), (140, 200, 24, 0.2), (236, 232, 12, 1.1), (70, 226, 10, 0.5),
    (180, 160, 9, 0.8), (112, 62, 8, 1.6),
)


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def palette():
    wash = [blend(SKY, BLUSH, i / (WASH_LEVELS - 1)) for i in range(WASH_LEVELS)]
    petals = [blend(PETAL_EDGE, PETAL_HEART, i / (PETAL_LEVELS - 1)) for i in range(PETAL_LEVELS)]
    return wash + petals + [STAMEN]


def wrapped(d):
    d %= SIZE
    return d - SIZE if d > SIZE // 2 else d


def blossom_index(x, y):
    """Palette index of a blossom covering (x, y), or None."""
    for bx, by, radius, turn in BLOSSOMS:
        dx, dy = wrapped(x - bx), wrapped(y - by)
        r = math.hypot(dx, dy)
        if r > radius:
            continue
        if r < radius * 0.18:
            return WASH_LEVELS + PETAL_LEVELS
        angle = math.atan2(dy, dx) + turn
        # Five rounded petals, each with a small notch at its tip.
        lobe = abs(math.cos(2.5 * angle))
        outline = radius * (0.55 + 0.45 * lobe - 0.12 * max(0.0, lobe - 0.92) / 0.08)
        if r <= outline:
            depth = 1.0 - r / outline
            return WASH_LEVELS + min(PETAL_LEVELS - 1, round(depth * (PETAL_LEVELS - 1)))
    return None


def sample_skin():
    indices = []
    for y in range(SIZE):
        wash = round((0.5 + 0.5 * math.cos(2 * math.pi * y / SIZE)) * (WASH_LEVELS - 1))
        for x in range(SIZE):
            index = blossom_index(x, y)
            indices.append(wash if index is None else index)
    return bitmap_files.bmp8(SIZE, SIZE, palette(), indices)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    parser.add_argument("--output", type=pathlib.Path, default=OUTPUT, help="the file to write")
    args = parser.parse_args()

    data = sample_skin()
    if args.check:
        if not args.output.exists() or args.output.read_bytes() != data:
            print(f"differs from the generator: {args.output}", file=sys.stderr)
            return 1
        return 0
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
