"""The background picture and the sheet of interface elements, drawn from nothing.

Shapes are drawn as signed distances (negative inside), which gives smooth edges
and bevels without supersampling. Canvases are float arrays, straight alpha.
"""

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

# Palette shared by the sheet and the background: dark teal ground, pale sage plates.
INK = np.array([0, 22, 22]) / 255
PLATE_TOP = np.array([226, 233, 216]) / 255
PLATE_MID = np.array([190, 205, 190]) / 255
RAIL_TOP = np.array([168, 188, 174]) / 255
RAIL_BOTTOM = np.array([134, 156, 146]) / 255
RIM_DARK = np.array([22, 48, 46]) / 255


def rgb(*c):
    return np.array(c, dtype=float) / 255


def canvas(w, h):
    return np.zeros((h, w, 4))


def grid(w, h):
    y, x = np.mgrid[0:h, 0:w].astype(float)
    return x + 0.5, y + 0.5


def round_rect_sdf(w, h, r, x0=0.0, y0=0.0, rw=None, rh=None):
    """Signed distance to a rounded rectangle (x0, y0, rw, rh) on a w x h grid."""
    rw = w - x0 if rw is None else rw
    rh = h - y0 if rh is None else rh
    x, y = grid(w, h)
    cx, cy = x0 + rw / 2, y0 + rh / 2
    qx = np.abs(x - cx) - rw / 2 + r
    qy = np.abs(y - cy) - rh / 2 + r
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
    inside = np.minimum(np.maximum(qx, qy), 0)
    return outside + inside - r


def circle_sdf(w, h, cx, cy, r):
    x, y = grid(w, h)
    return np.hypot(x - cx, y - cy) - r


def coverage(sdf):
    return np.clip(0.5 - sdf, 0, 1)


def vgrad(h, w, stops):
    """Vertical gradient through (position 0..1, colour) stops."""
    t = (np.arange(h) + 0.5) / h
    out = np.zeros((h, 3))
    for c in range(3):
        out[:, c] = np.interp(t, [s[0] for s in stops], [s[1][c] for s in stops])
    return np.repeat(out[:, None, :], w, axis=1)


def mix(a, b, t):
    t = np.asarray(t)
    if t.ndim == 2:
        t = t[..., None]
    return a * (1 - t) + b * t


def over(dst, x, y, src):
    """Composite src (straight alpha) over dst at (x, y)."""
    h, w = src.shape[:2]
    d = dst[y:y + h, x:x + w]
    sa = src[..., 3:4]
    da = d[..., 3:4]
    oa = sa + da * (1 - sa)
    oc = np.where(oa > 0, (src[..., :3] * sa + d[..., :3] * da * (1 - sa)) / np.maximum(oa, 1e-9), 0)
    d[..., :3] = oc
    d[..., 3:4] = oa


def put(dst, x, y, src):
    h, w = src.shape[:2]
    dst[y:y + h, x:x + w] = src


def rgba(colour, alpha):
    colour = np.asarray(colour, dtype=float)
    if colour.ndim == 1:
        colour = np.broadcast_to(colour, alpha.shape + (3,))
    return np.concatenate([colour, alpha[..., None]], axis=2)


def blur(alpha, radius):
    im = Image.fromarray(np.uint8(np.clip(alpha, 0, 1) * 255), "L")
    return np.asarray(im.filter(ImageFilter.GaussianBlur(radius)), dtype=float) / 255


def value_noise(w, h, cell, rng):
    """Smooth noise: a random lattice, bicubically enlarged."""
    gw, gh = w // cell + 3, h // cell + 3
    lattice = Image.fromarray(np.uint8(rng.uniform(0, 255, (gh, gw))), "L")
    big = lattice.resize((gw * cell, gh * cell), Image.BICUBIC)
    return np.asarray(big, dtype=float)[cell:cell + h, cell:cell + w] / 255 - 0.5


def text_layer(w, h, text, font, xy, anchor="mm", squeeze=1.0):
    """Coverage of a text line; squeeze < 1 draws it narrower, for pieces that the
    game stretches sideways by 1 / squeeze."""
    wide = int(round(w / squeeze))
    im = Image.new("L", (wide, h), 0)
    ImageDraw.Draw(im).text((xy[0] / squeeze, xy[1]), text, font=font, fill=255, anchor=anchor)
    if squeeze != 1.0:
        im = im.resize((w, h), Image.LANCZOS)
    return np.asarray(im, dtype=float) / 255


def to_image(c):
    return Image.fromarray(np.uint8(np.clip(np.round(c * 255), 0, 255)), "RGBA")


# --- the background --------------------------------------------------------------

def background():
    """1020 x 710, calm and dark: a deep teal with soft clouding and a faint weave,
    darker towards the corners, so light texts and the pieces stand out on it."""
    w, h = 1020, 710
    rng = np.random.RandomState(7)
    x, y = grid(w, h)
    n = (value_noise(w, h, 160, rng) * 0.55 + value_noise(w, h, 60, rng) * 0.3
         + value_noise(w, h, 18, rng) * 0.15)
    weave = (np.sin(x * 0.9) * np.sin(y * 0.9)) * 0.5
    grain = rng.normal(0, 1, (h, w))
    r = np.hypot((x - w * 0.55) / w, (y - h * 0.45) / h)
    vignette = np.clip(1.0 - 0.9 * r ** 2, 0, 1)
    base = rgb(15, 34, 34)
    light = base * vignette[..., None] * (1 + 0.35 * n[..., None])
    col = light * 255 + weave[..., None] * 1.2 + grain[..., None] * 1.0
    col = np.clip(col, 0, 255)
    return Image.fromarray(np.uint8(np.round(col)), "RGB")


# --- pieces of the sheet -----------------------------------------------------------

def bottom_bar(rng):
    """The long plate at (67, 325), 605 x 70. Its left end is also the move label plate
    and its lower rail, below the groove, is also the group bar: so the plate is the
    same along its length, with the groove at row 43 where the group bar begins."""
    w, h = 605, 70
    d = round_rect_sdf(w, h, 16)
    e = -d
    col = vgrad(h, w, [(0, PLATE_TOP), (42 / 70, PLATE_MID), (43 / 70, RAIL_TOP),
                       (1, RAIL_BOTTOM)])
    streak = np.repeat(value_noise(w, 1, 3, rng), h, axis=0)
    col = col + streak[..., None] * 0.035
    _, y = grid(w, h)
    upper = y < h / 2
    bevel = (e > 2) & (e < 5)
    col = np.where((bevel & upper)[..., None], mix(col, rgb(255, 255, 250), 0.45), col)
    col = np.where((bevel & ~upper)[..., None], mix(col, rgb(60, 84, 80), 0.35), col)
    groove = (e > 4)
    col[42][groove[42]] = rgb(92, 114, 106)
    col[43][groove[43]] = rgb(240, 246, 236)
    col = np.where((e < 2)[..., None], RIM_DARK, col)
    return rgba(col, coverage(d))


def counter_badge():
    """A pale disc in a metal ring; the move count is drawn on it in dark teal."""
    s = 77
    d = circle_sdf(s, s, 38.5, 38.5, 37.5)
    e = -d
    _, y = grid(s, s)
    ring = vgrad(s, s, [(0, rgb(170, 200, 188)), (0.5, rgb(70, 104, 98)), (1, rgb(30, 58, 56))])
    face = vgrad(s, s, [(0, rgb(244, 246, 232)), (1, rgb(196, 212, 198))])
    # a little shadow under the ring's inner edge, so the face looks set in
    face = face * (1 - 0.25 * np.clip(1 - (e - 7) / 4, 0, 1)[..., None] * (y < 40)[..., None])
    col = np.where((e < 7)[..., None], ring, face)
    col = np.where((e < 1.5)[..., None], RIM_DARK, col)
    inner_line = (e > 6.5) & (e < 7.5)
    col = np.where(inner_line[..., None], mix(col, rgb(255, 255, 255), 0.5), col)
    return rgba(col, coverage(d))


def group_slot():
    """An empty socket for a group's name: 154 x 54, its last column left clear
    because it is the first column of the highlight beside it."""
    w, h = 154, 54
    d = round_rect_sdf(w, h, 10, 1, 1, 152, 52)
    e = -d
    _, y = grid(w, h)
    col = vgrad(h, w, [(0, rgb(4, 20, 20)), (1, rgb(12, 40, 38))])
    col = np.where(((e < 2.5) & (y > h / 2))[..., None], rgb(150, 180, 168), col)
    col = np.where(((e < 2.5) & (y <= h / 2))[..., None], rgb(10, 26, 26), col)
    col = np.where((e < 1)[..., None], rgb(40, 70, 66), col)
    # opaque, since the group bar runs behind the slots
    return rgba(col, coverage(d))


def group_highlight():
    """The lit socket of the group in play, 154 x 54, its first column clear. Its
    interior is also the lit progress segment, the 40 x 26 cut at (22, 11), which the
    game squeezes to 32 x 13 and turns upside down: so the socket glows a bright lime
    above and below a deep green name plate (rows 19 to 32, where the game writes the
    group's name in pale green), and the cut takes in both the glow and the plate."""
    w, h = 154, 54
    d = round_rect_sdf(w, h, 10, 1, 1, 152, 52)
    e = -d
    x, y = grid(w, h)
    col = vgrad(h, w, [(0, rgb(214, 255, 150)), (17 / 54, rgb(170, 244, 110)),
                       (35 / 54, rgb(150, 236, 100)), (1, rgb(80, 190, 70))])
    plate = round_rect_sdf(w, h, 6, 8, 18, 138, 16)
    plate_col = vgrad(h, w, [(17 / 54, rgb(36, 144, 74)), (35 / 54, rgb(22, 120, 62))])
    col = mix(col, plate_col, coverage(plate))
    # set into the glow: a shade along its top edge, a glint along its bottom
    col = np.where(((plate > -1) & (plate <= 0) & (y < 27))[..., None], rgb(6, 58, 32), col)
    col = np.where(((plate > -1) & (plate <= 0) & (y > 27))[..., None], rgb(214, 255, 190), col)
    col = np.where((e < 3)[..., None], rgb(214, 255, 190), col)
    col = np.where((e < 1.2)[..., None], rgb(10, 50, 40), col)
    return rgba(col, coverage(d))


# The words painted into the sheet, one set per language of the game: the
# Polish sheet ele.png and the English ele-en.png share every other pixel.
CAPTIONS = {
    "pl": {"banner": "BRAWO!  OBRAZEK UŁOŻONY", "restart": "JESZCZE RAZ",
           "title": ("OBRAZKOWE", "KLOCKI"), "subtitle": "układanka z dwunastu klocków"},
    "en": {"banner": "BRAVO!  PICTURE COMPLETE", "restart": "PLAY AGAIN",
           "title": ("PICTURE", "CUBES"), "subtitle": "a puzzle of twelve cubes"},
}


def banner(font, caption):
    """Shown under the board when a picture is complete; the game stretches it to
    almost twice its width, so its lettering is drawn at half width. Its outer
    five columns stay clear: stretched, they are the ten pixels beyond x 900
    that the summary's repaint of the strip under the board does not reach."""
    w, h = 285, 46
    d = round_rect_sdf(w, h, 12, 5, 3, w - 10, 43)
    e = -d
    col = vgrad(h, w, [(0, rgb(255, 236, 150)), (0.45, rgb(246, 196, 72)),
                       (1, rgb(196, 132, 30))])
    _, y = grid(w, h)
    col = np.where(((e > 1.5) & (e < 3.5) & (y < 20))[..., None],
                   mix(col, rgb(255, 255, 235), 0.6), col)
    col = np.where((e < 1.5)[..., None], rgb(96, 60, 8), col)
    txt = text_layer(w, h, caption, font, (w / 2, 25), squeeze=0.51)
    shadow = np.roll(np.roll(txt, 1, axis=0), 1, axis=1) * 0.5
    col = mix(col, rgb(255, 250, 220), shadow)
    col = mix(col, rgb(80, 40, 0), txt)
    return rgba(col, coverage(d))


def dark_button(w, h, r):
    """A dark pill with a light rim: the exit button and the restart button."""
    d = round_rect_sdf(w, h, r)
    e = -d
    _, y = grid(w, h)
    col = vgrad(h, w, [(0, rgb(52, 82, 80)), (0.5, rgb(22, 46, 46)), (1, rgb(8, 26, 26))])
    col = np.where(((e > 1) & (e < 2.5) & (y < h / 2))[..., None], rgb(150, 186, 172), col)
    col = np.where(((e > 1) & (e < 2.5) & (y >= h / 2))[..., None], rgb(70, 100, 94), col)
    col = np.where((e <= 1)[..., None], rgb(4, 14, 14), col)
    return rgba(col, coverage(d))


def restart_button(font, caption):
    """138 x 41 as the end screen fades it in; the face is the 127 x 31 at (3, 3) that
    the game draws plain or lit, with a soft shadow to the lower right around it."""
    w, h = 138, 41
    face = dark_button(127, 31, 11)
    txt = text_layer(127, 31, caption, font, (63.5, 16))
    face[..., :3] = mix(face[..., :3], rgb(214, 236, 214), txt)
    out = canvas(w, h)
    shadow = np.zeros((h, w))
    shadow[7:7 + 31, 7:7 + 127] = coverage(round_rect_sdf(127, 31, 11))
    out[..., 3] = blur(shadow, 2.0) * 0.6
    over(out, 3, 3, face)
    return out


def thumb_frame():
    """Drawn over each 140 x 100 thumbnail at the same corner: the window stays clear;
    a light edge and a soft shadow to the right and below lift the picture off the
    column."""
    w, h = 150, 110
    out = canvas(w, h)
    shadow = np.zeros((h, w))
    shadow[5:104, 5:144] = 1
    out[..., 3] = blur(shadow, 2.5) * 0.7
    edge = np.zeros((h, w))
    edge[0:101, 140:142] = 1
    edge[100:102, 0:142] = 1
    out[..., :3] = np.where(edge[..., None] > 0, rgb(176, 206, 190), 0)
    out[..., 3] = np.maximum(out[..., 3], edge * 0.9)
    out[0:100, 0:140, 3] = 0
    return out


def board_frame(rng):
    """The top-left quarter of the board frame, 355 x 310. The game mirrors it into
    the other three quarters, uses its first 245 rows for the top half and all 310
    for the bottom, so each border is the same all along its length and only the
    corner and the middle of the top edge carry ornaments (the middle one is half a
    boss, made whole by the mirror)."""
    w, h = 355, 310
    side, top = 36.0, 40.0
    x, y = grid(w, h)
    # distance into the moulding, measured from whichever outer edge is nearer,
    # each border scaled to its own width so the mitre runs corner to corner
    t_left = (x - 0) / side
    t_top = (y - 0) / top
    t = np.minimum(t_left, t_top)
    on_top = t_top <= t_left
    # round the outer corner
    corner = round_rect_sdf(w + 40, h + 40, 18)[:h, :w]
    alpha = coverage(corner) * (t < 1.0)
    # profile across the moulding: dark lip, raised bead, flat band, inner step
    stops = [(0.00, rgb(14, 28, 28)), (0.06, rgb(120, 152, 142)), (0.16, rgb(70, 102, 96)),
             (0.24, rgb(24, 44, 44)), (0.30, rgb(58, 86, 82)), (0.75, rgb(44, 70, 68)),
             (0.82, rgb(130, 162, 150)), (0.90, rgb(34, 56, 54)), (1.00, rgb(10, 20, 20))]
    tt = np.clip(t, 0, 1)
    col = np.zeros((h, w, 3))
    for c in range(3):
        col[..., c] = np.interp(tt, [s[0] for s in stops], [s[1][c] for s in stops])
    # light from the top left: the top border a shade lighter than the side
    col = col * np.where(on_top, 1.08, 0.94)[..., None]
    # a fine grain along each border
    grain_top = np.repeat(value_noise(w, 1, 2, rng), h, axis=0)
    # the side grain repeats every 65 rows, so that row 244 (where the top copies
    # end) and row 309 (where the bottom copies end) match at the seam
    grain_side = np.repeat(np.resize(value_noise(1, 65, 2, rng), (h, 1)), w, axis=1)
    col = col * (1 + 0.10 * np.where(on_top, grain_top, grain_side))[..., None]
    # corner boss and the half boss at the middle of the top edge
    for cx, cy in ((20.0, 20.0), (w, 20.0)):
        bd = circle_sdf(w, h, cx, cy, 15)
        be = -bd
        boss = vgrad(h, w, [(0, rgb(200, 226, 210)), (0.12, rgb(90, 124, 116)),
                            (1, rgb(40, 60, 58))])
        shade = np.clip((cy - y) / 15, -1, 1)
        boss = boss * (1 + 0.25 * shade)[..., None]
        rim = (be > 0) & (be < 2)
        inside = be > 0
        col = np.where(inside[..., None], boss, col)
        col = np.where(rim[..., None], rgb(14, 28, 28), col)
        # the half boss is mirrored, so its glint sits on the mirror line
        dot = circle_sdf(w, h, cx - 3 if cx < w else cx, cy - 3, 4)
        col = mix(col, rgb(236, 248, 238), coverage(dot) * 0.8)
        alpha = np.maximum(alpha, coverage(bd) * (t < 1.5))
    out = rgba(col, alpha)
    # a soft inner shadow cast on the dark board panel
    sh = (t >= 1.0) & (t < 1.12)
    out[..., 3] = np.where(sh & (alpha == 0), 0.45 * (1.12 - t) / 0.12, out[..., 3])
    return out


def divider_strip():
    """55 x 710: a slim rod at columns 38 to 47. Its columns 30 to 59 are the edge
    strip left of the thumbnails; the whole strip, mirrored, stands right of them.
    Columns 0 to 33 stay clear, since there it lies over the ends of the plates."""
    w, h = 55, 710
    out = canvas(w, h)
    x, y = grid(w, h)
    u = (x - 43) / 5.0  # -1 .. 1 across the rod
    rod = np.abs(u) <= 1
    shade = np.clip(1 - u * u, 0, 1) ** 0.6
    col = mix(rgb(16, 34, 34), rgb(168, 198, 186), shade)
    col = col + rgb(60, 60, 60) * np.clip(1 - np.abs(u + 0.35) * 4, 0, 1)[..., None]
    alpha = rod * 1.0
    # collars every 118 rows
    phase = np.mod(y - 59, 118)
    collar = (phase < 8) & (np.abs(x - 43) <= 7)
    ccol = vgrad(h, w, [(0, rgb(140, 170, 158)), (1, rgb(140, 170, 158))])
    ccol = ccol * (0.7 + 0.5 * np.clip(1 - np.abs(phase - 2.5) / 4, 0, 1))[..., None]
    col = np.where(collar[..., None], ccol, col)
    alpha = np.where(collar, 1.0, alpha)
    # a soft shadow beside the rod
    shadow = blur(np.where(alpha > 0, 1.0, 0.0), 2.0)
    shadow = np.roll(shadow, 2, axis=1) * 0.5
    out[..., 3] = shadow
    over(out, 0, 0, rgba(col, alpha))
    out[:, :34] = 0
    return out


# --- the intro illustration ----------------------------------------------------------

def _face(img, box, size, turn=0):
    tile = img.crop(box).resize((size, size), Image.LANCZOS)
    if turn:
        tile = tile.rotate(-90 * turn)
    return tile


def _paste_affine(dst, tile, origin, ex, ey, brightness):
    """Paste a square tile as the parallelogram origin + u*ex + v*ey (u, v in 0..1)."""
    ox, oy = origin
    s = tile.width
    # inverse map: from destination pixel to tile pixel
    m = np.array([[ex[0], ey[0]], [ex[1], ey[1]]], dtype=float) / s
    inv = np.linalg.inv(m)
    coeffs = (inv[0, 0], inv[0, 1], -(inv[0, 0] * ox + inv[0, 1] * oy),
              inv[1, 0], inv[1, 1], -(inv[1, 0] * ox + inv[1, 1] * oy))
    lit = tile.point(lambda v: min(255, int(v * brightness)))
    rgba_tile = lit.convert("RGBA")
    warped = rgba_tile.transform(dst.size, Image.AFFINE, coeffs, Image.BICUBIC)
    mask = Image.new("L", tile.size, 255).transform(dst.size, Image.AFFINE, coeffs, Image.BICUBIC)
    dst.paste(warped, (0, 0), mask)


def intro_picture(pictures, bold, regular, captions):
    """610 x 277 title illustration: the board of twelve cubes seen a little from
    above and the right, one picture almost assembled, and the title beside it.
    The last 30 rows stay empty because the first line of text is drawn there."""
    w, h = 610, 277
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    # a faint teal glow behind the cubes
    x, y = grid(w, h)
    glow = np.clip(1 - np.hypot((x - 160) / 200, (y - 125) / 125), 0, 1) ** 1.5 * 0.55
    glow_layer = rgba(rgb(30, 90, 84), glow)
    img = Image.alpha_composite(img, to_image(glow_layer))

    main, other, third = pictures["w5"], pictures["b9"], pictures["w1"]
    s, gap, dx, dy = 60, 6, 18, 14
    x0, y0 = 24, 16
    pos = {}
    for r in range(3):
        for c in range(4):
            pos[r, c] = (x0 + c * (s + gap), y0 + dy + r * (s + gap))
    # side faces first: every front stands in front of its neighbours' sides
    for r in range(3):
        for c in range(4):
            px, py = pos[r, c]
            top = _face(third, (150 * c, 150 * r, 150 * c + 150, 150 * r + 150), s)
            right = _face(other, (150 * c, 150 * r, 150 * c + 150, 150 * r + 150), s)
            _paste_affine(img, top.convert("RGB"), (px, py), (s, 0), (dx, -dy), 1.2)
            _paste_affine(img, right.convert("RGB"), (px + s, py), (dx, -dy), (0, s), 0.62)
    fronts = ImageDraw.Draw(img)
    for r in range(3):
        for c in range(4):
            px, py = pos[r, c]
            box = (150 * c, 150 * r, 150 * c + 150, 150 * r + 150)
            if (r, c) == (1, 1):
                tile = _face(other, box, s, turn=1)
            elif (r, c) == (2, 3):
                tile = _face(third, box, s, turn=2)
            else:
                tile = _face(main, box, s)
            img.paste(tile.convert("RGBA"), (px, py))
            fronts.rectangle((px, py, px + s - 1, py + s - 1), outline=(8, 24, 24, 255))
    # a curved arrow over the turned cube: drag to roll it
    ax, ay = pos[1, 1]
    arrow = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ad = ImageDraw.Draw(arrow)
    bbox = (ax - 6, ay + 8, ax + s + 34, ay + s + 16)
    ad.arc(bbox, 200, 335, fill=(8, 24, 24, 255), width=9)
    ad.arc(bbox, 200, 335, fill=(236, 226, 120, 255), width=5)
    tip = (ax + s + 30, ay + 24)
    ad.polygon([(tip[0] + 10, tip[1] + 8), (tip[0] - 10, tip[1] + 4), (tip[0] + 2, tip[1] - 12)],
               fill=(236, 226, 120, 255), outline=(8, 24, 24, 255))
    img = Image.alpha_composite(img, arrow)

    # the title, right of the board
    title = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    td = ImageDraw.Draw(title)
    cx = 462
    for text, size, ty in zip(captions["title"], (38, 62), (70, 128)):
        f = ImageFont.truetype(bold.path, size)
        td.text((cx + 3, ty + 3), text, font=f, fill=(0, 0, 0, 200), anchor="mm")
        td.text((cx, ty), text, font=f, fill=(206, 228, 206, 255), anchor="mm",
                stroke_width=2, stroke_fill=(14, 60, 56, 255))
    f = ImageFont.truetype(regular.path, 17)
    td.text((cx, 184), captions["subtitle"], font=f, fill=(140, 176, 160, 255),
            anchor="mm")
    td.line((cx - 110, 166, cx + 110, 166), fill=(70, 120, 108, 255), width=1)
    img = Image.alpha_composite(img, title)
    out = np.asarray(img, dtype=float) / 255
    out[h - 30:] = 0
    return out


def sheet(pictures, font_dir, language="pl"):
    """ele.png (ele-en.png in English): 672 x 807, every piece at the place the game
    cuts it from."""
    captions = CAPTIONS[language]
    rng = np.random.RandomState(11)
    bold = ImageFont.truetype(f"{font_dir}/LiberationSans-Bold.ttf", 26)
    bold15 = ImageFont.truetype(f"{font_dir}/LiberationSans-Bold.ttf", 15)
    regular = ImageFont.truetype(f"{font_dir}/LiberationSans-Regular.ttf", 17)
    s = canvas(672, 807)
    put(s, 0, 0, divider_strip())
    put(s, 60, 0, board_frame(rng))
    put(s, 460, 200, thumb_frame())
    put(s, 67, 325, bottom_bar(rng))
    # the group bar's last rows and the banner's first rows are the same pixels:
    # both are kept clear there
    s[395:403, 80:280] = 0
    put(s, 65, 400, banner(bold, captions["banner"]))
    put(s, 355, 395, group_slot())
    put(s, 508, 395, group_highlight())
    put(s, 60, 450, counter_badge())
    put(s, 166, 472, dark_button(138, 38, 13))
    s[470:510, 350:390] = [0, 0, 0, 1]
    put(s, 466, 470, restart_button(bold15, captions["restart"]))
    put(s, 60, 530, intro_picture(pictures, bold, regular, captions))
    return to_image(s)
