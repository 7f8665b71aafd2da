"""The game's icon: one of the puzzle's cubes seen from above a corner, each of its
three faces a picture cut into four squares, in the colours of the game's own
artwork. It is drawn from flat polygons only, so the same shapes are written as
the scalable icon.svg and rasterised (supersampled) into the PNG sizes.
"""

import math

from PIL import Image, ImageDraw

SIZE = 256  # the design grid; every coordinate below is in it
PNG_SIZES = (48, 64, 128, 256)
SUPERSAMPLE = 8

RIM = (22, 48, 46)  # the dark rim of the sheet's plates and badge

# The cube's corners on the design grid: a regular isometric view, edges 116 long.
TOP, LEFT, RIGHT, CENTRE = (128, 10), (28, 68), (228, 68), (128, 126)
LOW_LEFT, LOW_RIGHT, BOTTOM = (28, 184), (228, 184), (128, 242)

# Where the rim is drawn wider than the gaps between the squares, so that at 48
# pixels the outline still closes and the four squares still read as four.
RIM_WIDTH = 9.0
GAP_WIDTH = 7.0


def _circle(cx, cy, r, n=28):
    return [(cx + r * math.cos(2 * math.pi * k / n), cy + r * math.sin(2 * math.pi * k / n))
            for k in range(n)]


# Three pictures in face coordinates (u across, v down, both 0..1), as
# (colour, polygon) pairs painted in order. Each echoes one group of pictures.
VIEW = [  # WIDOKI: a mountain under a pale sky with the sun
    ((120, 190, 224), [(0, 0), (1, 0), (1, 1), (0, 1)]),
    ((255, 214, 92), _circle(0.74, 0.26, 0.13)),
    ((44, 70, 96), [(0, 0.78), (0.38, 0.3), (0.62, 0.58), (0.8, 0.44), (1, 0.66), (1, 1), (0, 1)]),
    ((236, 244, 248), [(0.38, 0.3), (0.47, 0.41), (0.4, 0.45), (0.33, 0.4), (0.28, 0.43)]),
    ((58, 150, 84), [(0, 0.82), (0.3, 0.72), (0.66, 0.8), (1, 0.72), (1, 1), (0, 1)]),
]
TALE = [  # BAJKI: a castle against a warm evening, in the banner's golds
    ((246, 196, 72), [(0, 0), (1, 0), (1, 1), (0, 1)]),
    ((255, 236, 150), _circle(0.3, 0.3, 0.14)),
    ((96, 60, 8), [(0.18, 1), (0.18, 0.52), (0.3, 0.52), (0.3, 0.6), (0.42, 0.6), (0.42, 0.34),
                   (0.58, 0.34), (0.58, 0.6), (0.7, 0.6), (0.7, 0.52), (0.82, 0.52), (0.82, 1)]),
    ((196, 132, 30), [(0, 0.86), (1, 0.86), (1, 1), (0, 1)]),
]
NATURE = [  # PRZYRODA: a flower on the green of the lit group slot
    ((18, 150, 104), [(0, 0), (1, 0), (1, 1), (0, 1)]),
    ((240, 246, 236), _circle(0.32, 0.32, 0.16)),
    ((240, 246, 236), _circle(0.68, 0.32, 0.16)),
    ((240, 246, 236), _circle(0.32, 0.68, 0.16)),
    ((240, 246, 236), _circle(0.68, 0.68, 0.16)),
    ((255, 214, 92), _circle(0.5, 0.5, 0.15)),
]


def _face_map(origin, eu, ev):
    def to_grid(u, v):
        return (origin[0] + u * eu[0] + v * ev[0], origin[1] + u * eu[1] + v * ev[1])
    return to_grid


def _shade(colour, light):
    return tuple(min(255, round(c * light)) for c in colour)


def _strip(p, q, width):
    """A straight band of the given width from p to q, as a polygon."""
    dx, dy = q[0] - p[0], q[1] - p[1]
    n = math.hypot(dx, dy)
    ox, oy = -dy / n * width / 2, dx / n * width / 2
    return [(p[0] + ox, p[1] + oy), (q[0] + ox, q[1] + oy), (q[0] - ox, q[1] - oy),
            (p[0] - ox, p[1] - oy)]


def shapes():
    """The icon as (rgb, polygon) pairs on the 256 grid, painted in order."""
    out = [(RIM, [TOP, RIGHT, LOW_RIGHT, BOTTOM, LOW_LEFT, LEFT])]
    faces = (  # picture, origin, u edge, v edge, light from the upper left
        (NATURE, LEFT, (TOP[0] - LEFT[0], TOP[1] - LEFT[1]), (CENTRE[0] - LEFT[0], CENTRE[1] - LEFT[1]), 1.08),
        (VIEW, LEFT, (CENTRE[0] - LEFT[0], CENTRE[1] - LEFT[1]), (0, LOW_LEFT[1] - LEFT[1]), 1.0),
        (TALE, CENTRE, (RIGHT[0] - CENTRE[0], RIGHT[1] - CENTRE[1]), (0, LOW_RIGHT[1] - RIGHT[1]), 0.8),
    )
    for picture, origin, eu, ev, light in faces:
        to_grid = _face_map(origin, eu, ev)
        for colour, poly in picture:
            out.append((_shade(colour, light), [to_grid(u, v) for u, v in poly]))
        # the cuts between the four squares, and the face's own rim
        out.append((RIM, _strip(to_grid(0.5, 0), to_grid(0.5, 1), GAP_WIDTH)))
        out.append((RIM, _strip(to_grid(0, 0.5), to_grid(1, 0.5), GAP_WIDTH)))
        corners = [to_grid(0, 0), to_grid(1, 0), to_grid(1, 1), to_grid(0, 1)]
        for a, b in zip(corners, corners[1:] + corners[:1]):
            out.append((RIM, _strip(a, b, RIM_WIDTH)))
            out.append((RIM, _circle(a[0], a[1], RIM_WIDTH / 2, 12)))  # round joins
    return out


def png(size):
    """The icon at size x size, RGBA on a transparent ground."""
    big = size * SUPERSAMPLE
    scale = big / SIZE
    im = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(im)
    for colour, poly in shapes():
        draw.polygon([(x * scale, y * scale) for x, y in poly], fill=colour + (255,))
    # Pillow averages RGBA with the colours weighted by alpha, so edges do not darken.
    return im.resize((size, size), Image.BOX)


def svg():
    lines = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
             f'viewBox="0 0 {SIZE} {SIZE}">',
             "  <title>Obrazkowe klocki</title>"]
    for colour, poly in shapes():
        points = " ".join(f"{x:.2f},{y:.2f}" for x, y in poly)
        lines.append(f'  <polygon fill="#{colour[0]:02x}{colour[1]:02x}{colour[2]:02x}" '
                     f'points="{points}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def write_icons(out):
    for size in PNG_SIZES:
        png(size).save(f"{out}/icon-{size}.png", "PNG", optimize=True)
    with open(f"{out}/icon.svg", "w") as f:
        f.write(svg())
