"""The thirty puzzle pictures: which file of which Debian package, and how it is cut.

Each picture is the largest 4:3 box of the source, shrunk by `zoom` and centred
on (fx, fy) as fractions of the source size, then scaled down to 600 x 450.
The board shows every picture as twelve 150 x 150 squares, so the boxes are
chosen to keep something to recognise in each square, and something that shows
which way is up: a square of plain sky or water looks the same turned, and a
player could not tell whether its cube's front is upright.
"""

from PIL import Image

ST = "supertux-data", "usr/share/games/supertux2/images/background/"
WS = "wesnoth-1.16-data", "usr/share/games/wesnoth/1.16/data/core/images/story/"
KP = "plasma-workspace-wallpapers", "usr/share/wallpapers/"
MB = "mate-backgrounds", "usr/share/backgrounds/mate/nature/"
LW = "lomiri-wallpapers-16.04", "usr/share/backgrounds/"
LX = "lxqt-themes", "usr/share/lxqt/wallpapers/"

# name: (package and folder, file, fx, fy, zoom, author, licence)
PICTURES = {
    # BAJKI: illustrated and painted scenes
    "b1": (ST, "christmas/intro.jpg", 0.5, 0.62, 1.15, "SuperTux Devel Team", "GPL-3+"),
    "b2": (ST, "halloween/intro.jpg", 0.5, 0.5, 1.0, "SuperTux Devel Team", "GPL-3+"),
    "b3": (ST, "misc/oiltux.jpg", 0.45, 0.5, 1.0, "SuperTux Devel Team", "GPL-3+"),
    "b4": (KP, "SafeLanding/contents/images/1622x2880.jpg", 0.5, 0.5, 1.0,
           "Louis Durrant", "CC-BY-SA-4.0"),
    "b5": (ST, "christmas/outro.jpg", 0.45, 0.65, 1.35, "SuperTux Devel Team", "GPL-3+"),
    "b6": (ST, "ghostforest/ghostforest.jpg", 0.5, 0.5, 1.0, "SuperTux Devel Team", "GPL-3+"),
    "b7": (WS, "landscape-coast.jpg", 0.5, 0.5, 1.0,
           "The Battle for Wesnoth Project artists", "GPL-2+"),
    "b8": (WS, "swamp-03.jpg", 0.5, 0.5, 1.0,
           "The Battle for Wesnoth Project artists", "GPL-2+"),
    "b9": (WS, "landscape-mountains-04.jpg", 0.5, 0.5, 1.0,
           "The Battle for Wesnoth Project artists", "GPL-2+"),
    "b10": (WS, "landscape-hills-02.jpg", 0.5, 0.56, 1.12,
            "The Battle for Wesnoth Project artists", "GPL-2+"),
    # PRZYRODA: nature photographs
    "p1": (MB, "LadyBird.jpg", 0.5, 0.5, 1.0, "Charles Barbin", "GPL-2+"),
    "p2": (MB, "Garden.jpg", 0.5, 0.5, 1.0, "Charles Barbin", "GPL-2+"),
    "p3": (MB, "YellowFlower.jpg", 0.58, 0.55, 1.15, "Charles Barbin", "GPL-2+"),
    "p4": (MB, "RainDrops.jpg", 0.5, 0.5, 1.0, "\"blackcombwhistler07\"", "GPL-2+"),
    "p5": (MB, "TwoWings.jpg", 0.5, 0.5, 1.0, "Charles Barbin, Hylke Bons", "GPL-2+"),
    "p6": (LW, "Dragonfly_by_Bolly.jpg", 0.5, 0.5, 1.0, "\"Bolly\"", "CC-BY-SA-4.0"),
    "p7": (LW, "seeding_by_Clements_Engelhardt.jpg", 0.5, 0.45, 1.1, "Clemens Engelhardt",
           "CC0-1.0"),
    "p8": (KP, "FallenLeaf/contents/images/2560x1600.jpg", 0.5, 0.5, 1.0, "Martin Klapetek",
           "LGPL-3"),
    "p9": (KP, "OneStandsOut/contents/images/2560x1600.jpg", 0.5, 0.5, 1.0,
           "Risto Saukonpää", "LGPL-3"),
    "p10": (LX, "flowers.png", 0.5, 0.5, 1.0, "LXQt team", "LGPL-2.1+"),
    # WIDOKI: landscapes and views
    "w1": (KP, "EveningGlow/contents/images/2560x1600.jpg", 0.5, 0.5, 1.0, "Ian Hex", "LGPL-3"),
    "w2": (KP, "Path/contents/images/2560x1600.jpg", 0.45, 0.5, 1.1, "Risto Saukonpää", "LGPL-3"),
    "w3": (LW, "aitzgorri_by_Aitzol_Berasategi.jpg", 0.5, 0.5, 1.0, "Aitzol Berasategi",
           "CC-BY-4.0"),
    "w4": (LW, "life_by_Aitzol_Berasategi.jpg", 0.5, 0.5, 1.0, "Aitzol Berasategi", "CC-BY-4.0"),
    "w5": (LW, "picosdeeuropa_by_Aitzol_Berasategi.jpg", 0.5, 0.5, 1.0, "Aitzol Berasategi",
           "CC-BY-4.0"),
    "w6": (LW, "sunset_by_Aitzol_Berasategi.jpg", 0.5, 0.5, 1.0, "Aitzol Berasategi",
           "CC-BY-4.0"),
    "w7": (LX, "after-the-rain.jpg", 0.45, 0.3, 1.1, "LXQt team", "LGPL-2.1+"),
    "w8": (WS, "landscape-mountains-01.jpg", 0.5, 0.5, 1.0,
           "The Battle for Wesnoth Project artists", "GPL-2+"),
    "w9": (MB, "Dune.jpg", 0.5, 0.55, 1.2, "Marco Cogoni, Hylke Bons", "GPL-2+"),
    "w10": (WS, "landscape-mountains-03.jpg", 0.5, 0.5, 1.0,
            "The Battle for Wesnoth Project artists", "GPL-2+"),
}


def crop_box(w, h, fx, fy, zoom):
    """The 4:3 box of a w x h source, never stretched: only cut and scaled evenly."""
    if w * 3 >= h * 4:
        bh = h / zoom
        bw = bh * 4 / 3
    else:
        bw = w / zoom
        bh = bw * 3 / 4
    x = min(max(fx * w - bw / 2, 0), w - bw)
    y = min(max(fy * h - bh / 2, 0), h - bh)
    return (x, y, x + bw, y + bh)


def make_picture(src_root, name):
    (pkg, folder), path, fx, fy, zoom, _author, _licence = PICTURES[name]
    im = Image.open(f"{src_root}/{pkg}/{folder}{path}").convert("RGB")
    box = crop_box(im.width, im.height, fx, fy, zoom)
    return im.resize((600, 450), Image.LANCZOS, box=box)


def source_of(name):
    (pkg, folder), path, *_rest, author, licence = PICTURES[name]
    return pkg, "/" + folder + path, author, licence
