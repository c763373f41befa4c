"""The pictures of the icons, drawn in named inks; icons.py gives the inks their colours. Every
motif ends with an outline so that it reads on the pink, blue and green tiles alike."""

import math

from canvas import Canvas


def _flower(c, cx, cy, petal_r, spread, centre_r, petal_ink="main"):
    for k in range(5):
        angle = -math.pi / 2 + k * 2 * math.pi / 5
        c.circle(cx + spread * math.cos(angle), cy + spread * math.sin(angle), petal_r, petal_ink)
    c.circle(cx, cy, centre_r, "pop")


def _card(c):
    c.rect(3, 7, 22, 27, "white")
    c.rect(3, 7, 22, 9, "deep")
    _flower(c, 12.5, 17.5, 2.6, 3.6, 1.8)


def flower():
    c = Canvas()
    _flower(c, 16, 16.5, 5.6, 8.0, 4.2)
    c.outline("line")
    return c


def cancel():
    c = Canvas()
    c.circle(16, 16, 14, "main")
    c.circle(16, 16, 10.5, "white")
    c.line(11, 11, 21, 21, 4, "deep")
    c.line(21, 11, 11, 21, 4, "deep")
    c.outline("line")
    return c


def mailbox_with_flower():
    c = Canvas()
    c.rect(14, 21, 18, 31, "deep")
    c.line(9, 10, 9, 14, 1.5, "deep")
    _flower(c, 9, 6.5, 2.4, 3.0, 1.6, "soft")
    c.ellipse(15, 14, 11, 4, "main")
    c.rect(4, 14, 26, 22, "main")
    c.rect(7, 16, 19, 18, "line")
    c.rect(24, 6, 26, 15, "deep")
    c.rect(26, 6, 30, 9, "deep")
    c.outline("line")
    return c


def animal_face():
    c = Canvas()
    c.polygon([(4, 3), (13, 9), (6, 15)], "main")
    c.polygon([(28, 3), (19, 9), (26, 15)], "main")
    c.polygon([(6, 6), (11, 9), (7, 12)], "soft")
    c.polygon([(26, 6), (21, 9), (25, 12)], "soft")
    c.circle(16, 18, 11.5, "main")
    c.ellipse(16, 22, 6, 4.5, "white")
    c.circle(11, 16, 1.8, "line")
    c.circle(21, 16, 1.8, "line")
    c.ellipse(16, 20, 2.2, 1.5, "deep")
    c.circle(7.5, 21, 1.8, "soft")
    c.circle(24.5, 21, 1.8, "soft")
    c.outline("line")
    return c


def large_cross():
    c = Canvas()
    c.line(6, 6, 26, 26, 8, "main")
    c.line(26, 6, 6, 26, 8, "main")
    c.line(7, 7, 25, 25, 3, "deep")
    c.line(25, 7, 7, 25, 3, "deep")
    c.outline("line")
    return c


def pencil():
    c = Canvas()
    c.line(10, 22, 23, 9, 8, "main")
    c.line(9.5, 19.5, 20.5, 8.5, 2, "soft")
    c.line(23, 9, 26, 6, 8, "deep")
    c.polygon([(7.2, 19.2), (12.8, 24.8), (3, 29)], "white")
    c.polygon([(4.6, 25.6), (6.4, 27.4), (3, 29)], "line")
    c.outline("line")
    return c


def card_with_flower_and_arrow():
    c = Canvas()
    _card(c)
    c.rect(20, 15, 25, 20, "deep")
    c.polygon([(24, 10), (31, 17.5), (24, 25)], "deep")
    c.outline("line")
    return c


def card_with_flower_and_cross():
    c = Canvas()
    _card(c)
    c.circle(24, 22, 7, "deep")
    c.line(21, 19, 27, 25, 2.5, "white")
    c.line(27, 19, 21, 25, 2.5, "white")
    c.outline("line")
    return c


def lollipop():
    c = Canvas()
    c.line(14, 18, 5, 29, 3, "white")
    c.circle(19, 12, 10, "main")
    c.ring(19, 12, 7.5, 5.5, "soft")
    c.ring(19, 12, 3.5, 1.8, "soft")
    c.circle(14.5, 7.5, 1.5, "white")
    c.outline("line")
    return c


def colour_squares():
    c = Canvas()
    c.rect(3, 3, 15, 15, "q1")
    c.rect(17, 3, 29, 15, "q2")
    c.rect(3, 17, 15, 29, "q3")
    c.rect(17, 17, 29, 29, "q4")
    c.outline("line")
    return c


def door():
    c = Canvas()
    c.rect(7, 2, 25, 30, "deep")
    c.rect(9, 4, 23, 30, "main")
    c.rect(11, 6, 21, 15, "soft")
    c.rect(11, 18, 21, 27, "soft")
    c.circle(20.5, 17, 1.6, "pop")
    c.outline("line")
    return c


def floppy_disk():
    c = Canvas()
    c.polygon([(3, 3), (25, 3), (29, 7), (29, 29), (3, 29)], "main")
    c.rect(9, 3, 23, 12, "white")
    c.rect(18, 5, 21, 10, "line")
    c.rect(7, 17, 25, 29, "white")
    c.rect(9, 20, 23, 21, "soft")
    c.rect(9, 24, 23, 25, "soft")
    c.outline("line")
    return c


def magnifier_over_page():
    c = Canvas()
    c.polygon([(4, 2), (18, 2), (24, 8), (24, 29), (4, 29)], "white")
    c.polygon([(18, 2), (24, 8), (18, 8)], "soft")
    for y in (11, 15, 19, 23):
        c.rect(7, y, 20, y + 1, "soft")
    c.line(22, 22, 29, 29, 4, "deep")
    c.circle(17, 17, 7.5, "main")
    c.circle(17, 17, 5, "white")
    c.outline("line")
    return c


def pet_and_envelope():
    """The program icon: a pet's face peeking over a letter."""
    c = Canvas()
    c.rect(2, 14, 30, 30, "white")
    c.polygon([(2, 14), (16, 24), (30, 14)], "soft")
    c.polygon([(7, 2), (13, 7), (8, 11)], "main")
    c.polygon([(25, 2), (19, 7), (24, 11)], "main")
    c.ellipse(16, 11, 9, 7.5, "main")
    c.circle(12.5, 10, 1.4, "line")
    c.circle(19.5, 10, 1.4, "line")
    c.ellipse(16, 13.5, 1.8, 1.2, "deep")
    c.outline("line")
    return c
