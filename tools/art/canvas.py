"""A 32 x 32 canvas of named inks with a few filled shapes. Shapes test each pixel's centre, so
the result depends on nothing but the numbers given; no anti-aliasing, so the icons keep a
small palette."""

import math

SIZE = 32
NEIGHBOURS = ((1, 0), (-1, 0), (0, 1), (0, -1))


class Canvas:
    def __init__(self):
        self.pixels = [None] * (SIZE * SIZE)

    def get(self, x, y):
        return self.pixels[y * SIZE + x]

    def _paint(self, ink, inside):
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[y * SIZE + x] = ink

    def rect(self, x0, y0, x1, y1, ink):
        """Pixels x0 <= x < x1, y0 <= y < y1."""
        self._paint(ink, lambda px, py: x0 <= px < x1 and y0 <= py < y1)

    def ellipse(self, cx, cy, rx, ry, ink):
        self._paint(ink, lambda px, py: ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1.0)

    def circle(self, cx, cy, r, ink):
        self.ellipse(cx, cy, r, r, ink)

    def ring(self, cx, cy, outer, inner, ink):
        self._paint(ink, lambda px, py: inner * inner < (px - cx) ** 2 + (py - cy) ** 2 <= outer * outer)

    def line(self, x0, y0, x1, y1, width, ink):
        half = width / 2.0

        def inside(px, py):
            dx, dy = x1 - x0, y1 - y0
            length2 = dx * dx + dy * dy
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
            return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy)) <= half

        self._paint(ink, inside)

    def polygon(self, points, ink):
        def inside(px, py):
            crossings = False
            for i, (ax, ay) in enumerate(points):
                bx, by = points[i - 1]
                if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                    crossings = not crossings
            return crossings

        self._paint(ink, inside)

    def outline(self, ink):
        """Puts ink on every empty pixel that touches a painted one, so shapes read on any
        background."""
        edge = [
            (x, y)
            for y in range(SIZE)
            for x in range(SIZE)
            if self.get(x, y) is None
            and any(
                0 <= x + dx < SIZE and 0 <= y + dy < SIZE and self.get(x + dx, y + dy) is not None
                for (dx, dy) in NEIGHBOURS
            )
        ]
        for (x, y) in edge:
            self.pixels[y * SIZE + x] = ink
