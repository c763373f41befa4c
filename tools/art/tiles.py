"""The three 30 x 30 background tiles: a diamond pattern in a base, a dark and a light colour.

A pixel is light within distance 7 of (14, 15) or (29, 0), dark within 7 of (14, 0) or (29, 15),
and base otherwise; distances are |dx| + |dy| with wrap-around at 30 in both directions, so each
diamond has 113 pixels (448 base, 226 dark, 226 light in all).

The green tile has one more colour. Its light diamond around (29, 0) wraps into all four corners;
the part of it in the bottom-left corner is the set of pixels with x <= 6 and y >= 23 (y counted
from the top), that is dx = x + 1 and dy = 30 - y, both at least 1 and with dx + dy <= 7: 21
pixels. Those are pure white; every other light pixel of the green tile is warm white."""

SIZE = 30
RADIUS = 7
LIGHT_CENTRES = ((14, 15), (29, 0))
DARK_CENTRES = ((14, 0), (29, 15))

BASE, DARK, LIGHT, CORNER = 0, 1, 2, 3

TILES = {
    "pink": {"base": (252, 228, 236), "dark": (252, 204, 220), "light": (255, 255, 255)},
    "blue": {"base": (212, 227, 255), "dark": (142, 171, 255), "light": (242, 242, 242)},
    "green": {
        "base": (212, 255, 212),
        "dark": (177, 255, 177),
        "light": (255, 251, 240),
        "corner": (255, 255, 255),
    },
}


def _wrapped(a, b):
    d = abs(a - b) % SIZE
    return min(d, SIZE - d)


def _near(x, y, centres):
    return any(_wrapped(x, cx) + _wrapped(y, cy) <= RADIUS for (cx, cy) in centres)


def in_bottom_left_corner(x, y):
    return x <= RADIUS - 1 and y >= SIZE - RADIUS


def classify(x, y, with_corner):
    if _near(x, y, LIGHT_CENTRES):
        return CORNER if with_corner and in_bottom_left_corner(x, y) else LIGHT
    if _near(x, y, DARK_CENTRES):
        return DARK
    return BASE


def tile(name):
    """Palette and row-major palette indices of one tile."""
    colours = TILES[name]
    with_corner = "corner" in colours
    palette = [colours["base"], colours["dark"], colours["light"]]
    if with_corner:
        palette.append(colours["corner"])
    indices = [classify(x, y, with_corner) for y in range(SIZE) for x in range(SIZE)]
    return palette, indices
