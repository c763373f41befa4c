#!/usr/bin/env python3
"""Generates Torvin's bitmap and icon resources into resources/tiles and resources/icons.

    make_art.py            write the files
    make_art.py --check    compare with the files on disk; exit 1 when any differs

The output depends on nothing but this code, so a run reproduces the committed files byte for
byte."""

import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

import argparse
import pathlib

import bitmap_files
import icons
import tiles
from canvas import SIZE

ROOT = pathlib.Path(__file__).resolve().parents[2] / "resources"


def all_files():
    for name in tiles.TILES:
        palette, indices = tiles.tile(name)
        yield f"tiles/{name}.bmp", bitmap_files.bmp8(tiles.SIZE, tiles.SIZE, palette, indices)
    for name, motif, colouring, bits in icons.ICONS:
        canvas = motif()
        if bits == 32:
            data = bitmap_files.ico32(SIZE, SIZE, icons.true_colour(canvas, colouring))
        else:
            palette, indices, opaque = icons.indexed(canvas, colouring)
            data = bitmap_files.ico8(SIZE, SIZE, palette, indices, opaque)
        yield f"icons/{name}.ico", data


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    parser.add_argument("--root", type=pathlib.Path, default=ROOT, help="the resources folder")
    args = parser.parse_args()

    stale = []
    for relative, data in all_files():
        path = args.root / relative
        if args.check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(relative)
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    for relative in stale:
        print(f"differs from the generator: {relative}", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
