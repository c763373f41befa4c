"""Which icon file shows which motif in which colouring. A skin button shows the hot icon (strong
pink and red) while it is hovered or pressed and the normal icon (pale grey-green) otherwise."""

import motifs
from canvas import SIZE

HOT = {
    "line": (128, 0, 40),
    "main": (240, 48, 120),
    "soft": (255, 160, 196),
    "deep": (208, 0, 32),
    "pop": (255, 224, 96),
    "white": (255, 248, 250),
    "q1": (232, 0, 24),
    "q2": (255, 200, 0),
    "q3": (0, 168, 64),
    "q4": (0, 88, 232),
}

NORMAL = {
    "line": (112, 132, 116),
    "main": (184, 204, 188),
    "soft": (214, 226, 216),
    "deep": (150, 172, 154),
    "pop": (232, 236, 214),
    "white": (246, 249, 246),
    "q1": (240, 204, 204),
    "q2": (240, 232, 196),
    "q3": (202, 230, 204),
    "q4": (202, 212, 238),
}

# The exit door is the one true-colour pair; it gets a soft shadow through its alpha channel.
SHADOW = (0, 0, 0, 72)

# (file name, motif, colouring, bits per pixel)
ICONS = [
    ("app", motifs.pet_and_envelope, HOT, 8),
    ("ok_hot", motifs.flower, HOT, 8),
    ("ok_normal", motifs.flower, NORMAL, 8),
    ("cancel_hot", motifs.cancel, HOT, 8),
    ("cancel_normal", motifs.cancel, NORMAL, 8),
    ("launch_hot", motifs.mailbox_with_flower, HOT, 8),
    ("launch_normal", motifs.mailbox_with_flower, NORMAL, 8),
    ("add_pet_hot", motifs.animal_face, HOT, 8),
    ("add_pet_normal", motifs.animal_face, NORMAL, 8),
    ("delete_pet_hot", motifs.large_cross, HOT, 8),
    ("delete_pet_normal", motifs.large_cross, NORMAL, 8),
    ("mail_settings_hot", motifs.pencil, HOT, 8),
    ("mail_settings_normal", motifs.pencil, NORMAL, 8),
    ("mail_start_hot", motifs.card_with_flower_and_arrow, HOT, 8),
    ("mail_start_normal", motifs.card_with_flower_and_arrow, NORMAL, 8),
    ("mail_stop_hot", motifs.card_with_flower_and_cross, HOT, 8),
    ("mail_stop_normal", motifs.card_with_flower_and_cross, NORMAL, 8),
    ("snack_hot", motifs.lollipop, HOT, 8),
    ("snack_normal", motifs.lollipop, NORMAL, 8),
    ("choose_background_hot", motifs.colour_squares, HOT, 8),
    ("choose_background_normal", motifs.colour_squares, NORMAL, 8),
    ("exit_hot", motifs.door, HOT, 32),
    ("exit_normal", motifs.door, NORMAL, 32),
    ("floppy_hot", motifs.floppy_disk, HOT, 8),
    ("floppy_normal", motifs.floppy_disk, NORMAL, 8),
    ("magnifier_hot", motifs.magnifier_over_page, HOT, 8),
    ("magnifier_normal", motifs.magnifier_over_page, NORMAL, 8),
]


def indexed(canvas, colouring):
    """Palette and indices; entry 0 is black and stands for transparent pixels."""
    palette = [(0, 0, 0)]
    slots = {}
    indices = []
    for ink in canvas.pixels:
        if ink is None:
            indices.append(0)
            continue
        colour = colouring[ink]
        if colour not in slots:
            slots[colour] = len(palette)
            palette.append(colour)
        indices.append(slots[colour])
    opaque = [ink is not None for ink in canvas.pixels]
    return palette, indices, opaque


def true_colour(canvas, colouring):
    """RGBA pixels with a shadow one pixel down and right of the picture."""
    rgba = []
    for y in range(SIZE):
        for x in range(SIZE):
            ink = canvas.get(x, y)
            if ink is not None:
                rgba.append(colouring[ink] + (255,))
            elif x > 0 and y > 0 and canvas.get(x - 1, y - 1) is not None:
                rgba.append(SHADOW)
            else:
                rgba.append((0, 0, 0, 0))
    return rgba
