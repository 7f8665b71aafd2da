"""Writes every file of media/ from the unpacked Debian packages and our own drawing
and synthesis. Run through tools/make-media, which fetches the packages."""

import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import media_art  # noqa: E402
import media_icon  # noqa: E402
import media_pictures  # noqa: E402
import media_sounds  # noqa: E402

FONT_DIR = "fonts-liberation2/usr/share/fonts/truetype/liberation2"

# Licence texts that the packages' copyright files point to instead of quoting.
COMMON_LICENCES = ("GPL-2", "GPL-3", "LGPL-2.1", "LGPL-3")


def save_jpeg(image, path):
    image.save(path, "JPEG", quality=90, optimize=False, progressive=False)


def credits(versions):
    lines = [
        "Media of the picture-cube game",
        "==============================",
        "",
        "Made by our own tool (tools/make-media), no outside source:",
        "  t2.jpg      background, drawn by tools/media_art.py",
        "  ele.png     interface sheet, drawn by tools/media_art.py; its title",
        "              illustration shows pieces of w5.jpg, b9.jpg and w1.jpg (below)",
        "              and its lettering uses Liberation Sans (below)",
        "  ele-en.png  the same sheet with its captions in English",
        "  s1.wav s3.wav s5.wav s.wav   synthesised by tools/media_sounds.py",
        "  icon-48.png icon-64.png icon-128.png icon-256.png icon.svg",
        "              the game's icon (a cube of picture squares), drawn by",
        "              tools/media_icon.py",
        "",
        "Taken unchanged from Debian packages (bookworm):",
        "  arial.ttf     LiberationSans-Regular.ttf  from fonts-liberation2 "
        f"{versions['fonts-liberation2']}",
        "  arialbd.ttf   LiberationSans-Bold.ttf     from fonts-liberation2 "
        f"{versions['fonts-liberation2']}",
        "                Copyright 2010 Google Corporation; 2012 Red Hat, Inc.;",
        "                SIL Open Font License 1.1 (licenses/OFL-1.1 and",
        "                licenses/fonts-liberation2.copyright). Renamed only; the",
        "                font itself is not modified.",
        "",
        "Puzzle pictures: cut to 4:3 and scaled to 600 x 450 from these files.",
        "The copyright file of each package, with the licence texts it carries,",
        "is in licenses/<package>.copyright; the GNU licences it refers to are in",
        "licenses/.",
        "",
    ]
    for name in sorted(media_pictures.PICTURES, key=lambda n: (n[0], int(n[1:]))):
        pkg, path, author, licence = media_pictures.source_of(name)
        lines.append(f"  {name + '.jpg':8} {pkg} {versions[pkg]}")
        lines.append(f"           {path}")
        lines.append(f"           author: {author}; licence: {licence}")
    lines += [
        "",
        "Notes on authors: the copyright file of plasma-workspace-wallpapers names the",
        "KDE Visual Design Group for the whole package (GPL-2+); each wallpaper's own",
        "metadata names the author and licence given above. The Battle for Wesnoth",
        "story paintings are credited to the Wesnoth artists as a group",
        "(data/core/about.cfg in wesnoth-1.16-data); the package is GPL-2+. The LXQt",
        "wallpapers are covered by the package's LGPL-2.1+ entry for all its files.",
        "",
    ]
    return "\n".join(lines)


def main():
    src, out, versions_file = sys.argv[1], sys.argv[2], sys.argv[3]
    versions = dict(line.split() for line in open(versions_file) if line.strip())
    os.makedirs(out, exist_ok=True)
    lic = os.path.join(out, "licenses")
    os.makedirs(lic, exist_ok=True)

    pictures = {}
    for name in media_pictures.PICTURES:
        pictures[name] = media_pictures.make_picture(src, name)
        save_jpeg(pictures[name], os.path.join(out, name + ".jpg"))

    save_jpeg(media_art.background(), os.path.join(out, "t2.jpg"))
    for language, name in (("pl", "ele.png"), ("en", "ele-en.png")):
        media_art.sheet(pictures, os.path.join(src, FONT_DIR), language).save(
            os.path.join(out, name), "PNG", optimize=True)

    shutil.copyfile(os.path.join(src, FONT_DIR, "LiberationSans-Regular.ttf"),
                    os.path.join(out, "arial.ttf"))
    shutil.copyfile(os.path.join(src, FONT_DIR, "LiberationSans-Bold.ttf"),
                    os.path.join(out, "arialbd.ttf"))

    media_sounds.make_sounds(out)
    media_icon.write_icons(out)

    used = {media_pictures.source_of(n)[0] for n in media_pictures.PICTURES}
    for pkg in sorted(used | {"fonts-liberation2"}):
        shutil.copyfile(os.path.join(src, pkg, "usr/share/doc", pkg, "copyright"),
                        os.path.join(lic, pkg + ".copyright"))
    for name in COMMON_LICENCES:
        shutil.copyfile(os.path.join("/usr/share/common-licenses", name), os.path.join(lic, name))
    with open(os.path.join(lic, "OFL-1.1"), "w") as f:
        f.write(ofl_text(os.path.join(src, "fonts-liberation2/usr/share/doc/fonts-liberation2/copyright")))
    with open(os.path.join(out, "CREDITS"), "w") as f:
        f.write(credits(versions))


def ofl_text(copyright_file):
    """The OFL as the font package's copyright file quotes it, unindented."""
    text = open(copyright_file).read()
    start = text.index("License: SIL-OFL-1.1")
    body = text[start:].split("\n", 1)[1]
    lines = []
    for line in body.splitlines():
        if line and not line.startswith(" "):
            break
        line = line[1:] if line.startswith(" ") else line
        lines.append("" if line == "." else line)
    return "\n".join(lines).strip() + "\n"


if __name__ == "__main__":
    main()
