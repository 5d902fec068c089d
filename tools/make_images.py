#!/usr/bin/python3
"""Draw every picture Mind Prism ships, into img/.

Run from anywhere, with Debian's own Python (it has the python3-* modules):

    /usr/bin/python3 tools/make_images.py            # writes <repo>/img/
    /usr/bin/python3 tools/make_images.py --out DIR  # writes DIR/ instead

Debian packages it needs:
    python3-pil         Pillow: assembles, writes PNG, BMP, JPEG
    librsvg2-bin        rsvg-convert: renders the SVG masters drawn here
    fonts-dejavu-core   DejaVu Sans Bold, the only font used (maker's wordmark
                        and the download button's label)

Every shape is drawn here; nothing is taken from an icon theme or elsewhere.
Output is deterministic, so rerunning leaves unchanged files byte-identical.

Files written:
    Mindprism_01.ico           application icon, 48/32/16 px, 32-bit BGRA
    mindprism.svg              the same icon, scalable (SVG 1.1)
    hicolor/NxN/mindprism.png  the .ico's three images as PNG (N = 16, 32, 48)
    Update_s24_01.png          toolbar: check for update, 24 px
    About_s24_01.png           toolbar: about, 24 px
    larkspan_logo.bmp          maker's banner atop the about dialog, 420x72
    larkspan_stat_01.jpg       about dialog's "Download" picture button, 160x40
    NAME@2x.EXT                each of the four above at twice the size
"""

import argparse
import io
import os
import shutil
import struct
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFont

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Product palette: a night-indigo tile, white light, a six-colour spectrum.
TILE_TOP = "#3a3f8f"
TILE_BOTTOM = "#171a42"
SPECTRUM = ["#ff4040", "#ff9d22", "#ffe23d", "#3fd46c", "#2f8eff", "#a060ff"]

# Maker palette: teal feather, amber spark, slate text.
TEAL_LIGHT = "#1aa9a3"
TEAL = "#0f8391"
TEAL_DARK = "#0a5e69"
AMBER = "#f4a63a"
SLATE = "#1f3a44"

# The dialog's light grey; only seen in the button's rounded corners.
DIALOG_GREY = (239, 239, 239)

SVG_HEAD = (
    '<?xml version="1.0" encoding="UTF-8" standalone="no"?>\n'
    '<!DOCTYPE svg PUBLIC "-//W3C//DTD SVG 1.1//EN"\n'
    '  "http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd">\n'
)


def svg_doc(width, height, body, view=None, title=None):
    view = view or f"0 0 {width} {height}"
    head = f"  <title>{title}</title>\n" if title else ""
    return (
        SVG_HEAD
        + f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1"\n'
        f'     width="{width}" height="{height}" viewBox="{view}">\n'
        + head + body + "</svg>\n"
    )


def render(svg, width, height):
    """SVG text -> RGBA Pillow image, via rsvg-convert."""
    png = subprocess.run(
        ["rsvg-convert", "-w", str(width), "-h", str(height), "-f", "png"],
        input=svg.encode("utf-8"), stdout=subprocess.PIPE, check=True,
    ).stdout
    return Image.open(io.BytesIO(png)).convert("RGBA")


def pts(points):
    return " ".join(f"{x:.2f},{y:.2f}" for x, y in points)


def lerp(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


# --------------------------------------------------------------------------
# Application icon
# --------------------------------------------------------------------------

def tile_defs(size, radius, extra=""):
    return (
        "  <defs>\n"
        + extra +
        '    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">\n'
        f'      <stop offset="0" stop-color="{TILE_TOP}"/>\n'
        f'      <stop offset="1" stop-color="{TILE_BOTTOM}"/>\n'
        "    </linearGradient>\n"
        '    <linearGradient id="glass" x1="0" y1="0" x2="1" y2="1">\n'
        '      <stop offset="0" stop-color="#ffffff" stop-opacity="0.42"/>\n'
        '      <stop offset="1" stop-color="#ffffff" stop-opacity="0.10"/>\n'
        "    </linearGradient>\n"
        '    <clipPath id="clip">\n'
        f'      <rect x="{size[0]}" y="{size[0]}" width="{size[1]}" '
        f'height="{size[1]}" rx="{radius}" ry="{radius}"/>\n'
        "    </clipPath>\n"
        "  </defs>\n"
    )


def prism_body(inset, side, radius, apex, left, right, beam_from, t_in,
               exit_range, fan_top, fan_bottom, fan_x, prism_stroke,
               beam_width, colours, inner_fan=True):
    """The mark: a tile, a white beam hitting a prism, a spectrum leaving it.

    Geometry comes in as parameters so the small sizes can be redrawn on
    their own pixel grid instead of being a blurred copy of the large one.
    """
    entry = lerp(left, apex, t_in)
    exit_a = lerp(apex, right, exit_range[0])
    exit_b = lerp(apex, right, exit_range[1])
    out = [tile_defs((inset, side), radius)]
    out.append(
        f'  <rect x="{inset}" y="{inset}" width="{side}" height="{side}" '
        f'rx="{radius}" ry="{radius}" fill="url(#tile)"/>\n'
    )
    out.append('  <g clip-path="url(#clip)">\n')
    out.append(
        f'    <line x1="{beam_from[0]}" y1="{beam_from[1]}" '
        f'x2="{entry[0]:.2f}" y2="{entry[1]:.2f}" stroke="#ffffff" '
        f'stroke-width="{beam_width}" stroke-linecap="round"/>\n'
    )
    if inner_fan:
        out.append(
            f'    <polygon points="{pts([entry, exit_a, exit_b])}" '
            'fill="#ffffff" fill-opacity="0.45"/>\n'
        )
    n = len(colours)
    for i, colour in enumerate(colours):
        near0 = lerp(exit_a, exit_b, i / n)
        near1 = lerp(exit_a, exit_b, (i + 1) / n)
        far0 = lerp(fan_top, fan_bottom, i / n)
        far1 = lerp(fan_top, fan_bottom, (i + 1) / n)
        # Carry each band past the tile edge; the clip trims it cleanly.
        far0 = (fan_x, far0[1])
        far1 = (fan_x, far1[1])
        out.append(
            f'    <polygon points="{pts([near0, near1, far1, far0])}" '
            f'fill="{colour}"/>\n'
        )
    out.append("  </g>\n")
    out.append(
        f'  <polygon points="{pts([apex, right, left])}" fill="url(#glass)" '
        f'stroke="#ffffff" stroke-width="{prism_stroke}" '
        'stroke-linejoin="round"/>\n'
    )
    # A hairline inner rim keeps the tile's edge visible on dark panels.
    half = 0.5 * side / 44
    out.append(
        f'  <rect x="{inset + half:.2f}" y="{inset + half:.2f}" '
        f'width="{side - 2 * half:.2f}" height="{side - 2 * half:.2f}" '
        f'rx="{radius - half:.2f}" ry="{radius - half:.2f}" fill="none" '
        f'stroke="#ffffff" stroke-opacity="0.14" stroke-width="{2 * half:.2f}"/>\n'
    )
    return "".join(out)


def icon_svg_large():
    """The full mark, drawn on a 48 unit grid (used at 48 and for the SVG)."""
    body = prism_body(
        inset=2, side=44, radius=9,
        apex=(24, 9), left=(10, 37), right=(38, 37),
        beam_from=(-2, 32), t_in=0.50, exit_range=(0.44, 0.60),
        fan_top=(46, 20.5), fan_bottom=(46, 37), fan_x=50,
        prism_stroke=2, beam_width=2.4, colours=SPECTRUM,
    )
    return svg_doc(48, 48, body, title="Mind Prism")


def icon_svg_32():
    """32 px: same layout on its own grid, strokes sized for whole pixels."""
    body = prism_body(
        inset=1, side=30, radius=6,
        apex=(16, 5.5), left=(6.5, 24.5), right=(25.5, 24.5),
        beam_from=(-1, 21.5), t_in=0.50, exit_range=(0.44, 0.62),
        fan_top=(31, 13.5), fan_bottom=(31, 25), fan_x=34,
        prism_stroke=1.2, beam_width=2.0, colours=SPECTRUM,
    )
    return svg_doc(32, 32, body)


def icon_svg_16():
    """16 px, drawn on the pixel grid: a solid light prism instead of an
    outline, a flat two-pixel beam and three flat two-pixel bands. Thin
    slanted strokes and six colours only turn to mush at this size.
    """
    y0, y1 = 2, 14            # apex and base rows
    left, right, apex_x = 3, 13, 8
    bands = ""
    for i, colour in enumerate([SPECTRUM[0], SPECTRUM[2], SPECTRUM[4]]):
        top = 6 + 2 * i
        bands += (
            f'    <rect x="8" y="{top}" width="9" height="2" '
            f'fill="{colour}"/>\n'
        )
    solid = (
        '    <linearGradient id="solid" x1="0" y1="0" x2="0" y2="1">\n'
        '      <stop offset="0" stop-color="#f2f3ff"/>\n'
        '      <stop offset="1" stop-color="#a9afe6"/>\n'
        "    </linearGradient>\n"
    )
    body = (
        tile_defs((0, 16), 3, solid)
        + '  <rect x="0" y="0" width="16" height="16" rx="3" ry="3" '
        'fill="url(#tile)"/>\n'
        '  <g clip-path="url(#clip)">\n'
        '    <rect x="-1" y="10" width="8" height="2" fill="#ffffff"/>\n'
        + bands
        + "  </g>\n"
        f'  <polygon points="{apex_x},{y0} {right},{y1} {left},{y1}" '
        'fill="url(#solid)"/>\n'
    )
    return svg_doc(16, 16, body)


def write_ico(path, images):
    """Classic BMP-payload .ico (32-bit BGRA + AND mask), read everywhere.

    Pillow would store PNG payloads, which older ICO readers reject.
    """
    entries = []
    blobs = []
    for img in images:
        w, h = img.size
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                             0, 0, 0, 0, 0)
        rows = []
        mask_rows = []
        mask_stride = ((w + 31) // 32) * 4
        px = img.load()
        for y in range(h - 1, -1, -1):  # bottom-up
            row = bytearray()
            mask = bytearray(mask_stride)
            for x in range(w):
                r, g, b, a = px[x, y]
                row += bytes((b, g, r, a))
                if a == 0:
                    mask[x // 8] |= 0x80 >> (x % 8)
            rows.append(bytes(row))
            mask_rows.append(bytes(mask))
        blob = header + b"".join(rows) + b"".join(mask_rows)
        blobs.append(blob)
        entries.append((w, h, len(blob)))
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for (w, h, size) in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                           size, offset)
        offset += size
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


# --------------------------------------------------------------------------
# Toolbar tools (24 px): the icon's tile with a white glyph on it
# --------------------------------------------------------------------------

def tool_tile(glyph):
    body = (
        "  <defs>\n"
        '    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">\n'
        f'      <stop offset="0" stop-color="{TILE_TOP}"/>\n'
        f'      <stop offset="1" stop-color="{TILE_BOTTOM}"/>\n'
        "    </linearGradient>\n"
        "  </defs>\n"
        '  <rect x="1" y="1" width="22" height="22" rx="4.5" ry="4.5" '
        'fill="url(#tile)"/>\n'
        '  <rect x="1.5" y="1.5" width="21" height="21" rx="4" ry="4" '
        'fill="none" stroke="#ffffff" stroke-opacity="0.14"/>\n'
        + glyph
    )
    return svg_doc(24, 24, body)


def update_svg():
    # A circular arrow, open at the upper right where its head sits; the
    # yellow arrow inside says 'download' in the mark's colours.
    glyph = (
        '  <path d="M 17.2 9.0 A 6 6 0 1 0 18 12" fill="none" '
        'stroke="#ffffff" stroke-width="2.1" stroke-linecap="round"/>\n'
        '  <polygon points="18.9,4.6 19.1,10.6 13.4,9.4" fill="#ffffff" '
        'stroke="#ffffff" stroke-width="0.6" stroke-linejoin="round"/>\n'
        f'  <path d="M 12 8.6 V 14.4 M 9.6 12.2 L 12 14.6 L 14.4 12.2" '
        f'fill="none" stroke="{SPECTRUM[2]}" stroke-width="1.7" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n'
    )
    return tool_tile(glyph)


def about_svg():
    glyph = (
        f'  <circle cx="12" cy="6.9" r="1.75" fill="{SPECTRUM[2]}"/>\n'
        '  <path d="M 9.6 10.2 H 13.2 V 16.6 H 14.6 V 18.6 H 9.4 V 16.6 '
        'H 10.8 V 12.2 H 9.6 Z" fill="#ffffff"/>\n'
    )
    return tool_tile(glyph)


# --------------------------------------------------------------------------
# Maker's banner and download button
# --------------------------------------------------------------------------

def feather_svg():
    """Larkspan's emblem: a lark's feather with an amber spark at its tip."""
    body = (
        "  <defs>\n"
        '    <linearGradient id="vane" x1="0" y1="1" x2="1" y2="0">\n'
        f'      <stop offset="0" stop-color="{TEAL_DARK}"/>\n'
        f'      <stop offset="0.55" stop-color="{TEAL}"/>\n'
        f'      <stop offset="1" stop-color="{TEAL_LIGHT}"/>\n'
        "    </linearGradient>\n"
        # Shaft and notches are cut out of the vane, not painted white, so
        # the banner's gradient shows through them.
        '    <mask id="cut" maskUnits="userSpaceOnUse" x="0" y="0" '
        'width="64" height="64">\n'
        '      <rect x="0" y="0" width="64" height="64" fill="#ffffff"/>\n'
        '      <path d="M 45 31.5 L 34 35 L 47 26 Z" fill="#000000"/>\n'
        '      <path d="M 16 26.5 L 26 27 L 14 33.5 Z" fill="#000000"/>\n'
        '      <path d="M 13 51 Q 28 33 47 13" fill="none" stroke="#000000" '
        'stroke-width="2.6" stroke-linecap="round"/>\n'
        "    </mask>\n"
        "  </defs>\n"
        # The vane: a curved leaf from the quill's base up to the tip.
        '  <path d="M 13 51 C 11 33 25 14 50 9 C 50 30 36 47 13 51 Z" '
        'fill="url(#vane)" mask="url(#cut)"/>\n'
        # The bare quill below the vane.
        f'  <path d="M 7 57 L 13.5 50.5" fill="none" stroke="{TEAL_DARK}" '
        'stroke-width="2.6" stroke-linecap="round"/>\n'
        # The spark.
        f'  <path d="M 55 2 Q 56 7 61 8 Q 56 9 55 14 Q 54 9 49 8 Q 54 7 55 2 Z" '
        f'fill="{AMBER}"/>\n'
    )
    return svg_doc(64, 64, body)


def hex_rgb(h):
    h = h.lstrip("#")
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def h_gradient(size, left, right):
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for x in range(w):
        d.line([(x, 0), (x, h - 1)], fill=mix(left, right, x / (w - 1)))
    return img


def v_gradient(size, top, bottom):
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        d.line([(0, y), (w - 1, y)], fill=mix(top, bottom, y / (h - 1)))
    return img


def make_logo(k=1):
    """The banner, 420x72 at k = 1; k = 2 draws the "@2x" copy for 200 %."""
    w, h = 420 * k, 72 * k
    # White band fading to a breath of teal: reads as a banner on grey.
    img = h_gradient((w, h), (255, 255, 255), (232, 244, 245))
    # A thin teal-to-amber rule along the bottom edge closes the band.
    rule = h_gradient((w, 3 * k), hex_rgb(TEAL), hex_rgb(AMBER))
    img.paste(rule, (0, h - 3 * k))
    emblem = render(feather_svg(), 60 * k, 60 * k)
    img.paste(emblem, (16 * k, 4 * k), emblem)

    d = ImageDraw.Draw(img)
    word = ImageFont.truetype(FONT_BOLD, 38 * k)
    x = 84 * k
    baseline = 46 * k
    lark, span = "Lark", "span"
    d.text((x, baseline), lark, font=word, fill=hex_rgb(TEAL), anchor="ls")
    x += d.textlength(lark, font=word)
    d.text((x, baseline), span, font=word, fill=hex_rgb(SLATE), anchor="ls")

    tag = ImageFont.truetype(FONT_BOLD, 10 * k)
    d.text((86 * k, 61 * k), spaced("SOFTWARE"), font=tag,
           fill=(122, 140, 146), anchor="ls")
    return img


def spaced(text):
    return "\u2009".join(text)


def download_glyph_svg():
    # Arrow dropping into a tray, white, drawn on a 20 unit grid.
    body = (
        '  <path d="M 10 2.5 V 12" fill="none" stroke="#ffffff" '
        'stroke-width="2.6" stroke-linecap="round"/>\n'
        '  <path d="M 5.2 8.2 L 10 13 L 14.8 8.2" fill="none" '
        'stroke="#ffffff" stroke-width="2.6" stroke-linecap="round" '
        'stroke-linejoin="round"/>\n'
        f'  <path d="M 3 13.5 V 17 H 17 V 13.5" fill="none" stroke="{AMBER}" '
        'stroke-width="2.4" stroke-linecap="round" stroke-linejoin="round"/>\n'
    )
    return svg_doc(20, 20, body)


def make_button(k=1):
    """The button, 160x40 at k = 1; k = 2 draws the "@2x" copy for 200 %."""
    w, h = 160 * k, 40 * k
    scale = 4
    # Body drawn large then reduced, for smooth rounded corners.
    big = Image.new("RGB", (w * scale, h * scale), DIALOG_GREY)
    face = v_gradient((w * scale, h * scale), hex_rgb(TEAL_LIGHT),
                      hex_rgb(TEAL_DARK))
    mask = Image.new("L", big.size, 0)
    r = 5 * k * scale
    ImageDraw.Draw(mask).rounded_rectangle(
        [0, 0, w * scale - 1, h * scale - 1], radius=r, fill=255)
    border = Image.new("RGB", big.size, mix(hex_rgb(TEAL_DARK), (0, 0, 0), 0.25))
    big.paste(border, (0, 0), mask)
    inner = Image.new("L", big.size, 0)
    edge = k * scale
    ImageDraw.Draw(inner).rounded_rectangle(
        [edge, edge, w * scale - 1 - edge, h * scale - 1 - edge],
        radius=r - edge, fill=255)
    big.paste(face, (0, 0), inner)
    img = big.resize((w, h), Image.LANCZOS)

    d = ImageDraw.Draw(img)
    # A one-pixel highlight under the top border gives the face some lift.
    d.line([(5 * k, k), (w - 6 * k, k)], fill=mix(hex_rgb(TEAL_LIGHT), (255, 255, 255), 0.35),
           width=k)

    glyph = render(download_glyph_svg(), 22 * k, 22 * k)
    font = ImageFont.truetype(FONT_BOLD, 16 * k)
    label = "Download"
    text_w = d.textlength(label, font=font)
    gap = 8 * k
    total = 22 * k + gap + text_w
    x0 = round((w - total) / 2)
    img.paste(glyph, (x0, 9 * k), glyph)
    tx = x0 + 22 * k + gap
    d.text((tx, 26 * k + k), label, font=font, fill=mix(hex_rgb(TEAL_DARK), (0, 0, 0), 0.4),
           anchor="ls")
    d.text((tx, 26 * k), label, font=font, fill=(255, 255, 255), anchor="ls")
    return img


# --------------------------------------------------------------------------

def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, os.pardir, "img"),
                        help="folder to write into (default: the repo's img/)")
    args = parser.parse_args(argv)
    out = os.path.normpath(args.out)

    if shutil.which("rsvg-convert") is None:
        sys.exit("rsvg-convert not found: apt-get install librsvg2-bin")
    if not os.path.exists(FONT_BOLD):
        sys.exit(f"{FONT_BOLD} not found: apt-get install fonts-dejavu-core")
    os.makedirs(out, exist_ok=True)

    big = icon_svg_large()
    icons = {
        48: render(big, 48, 48),
        32: render(icon_svg_32(), 32, 32),
        16: render(icon_svg_16(), 16, 16),
    }
    write_ico(os.path.join(out, "Mindprism_01.ico"),
              [icons[48], icons[32], icons[16]])
    with open(os.path.join(out, "mindprism.svg"), "w", encoding="utf-8") as f:
        f.write(big)
    for size, img in icons.items():
        folder = os.path.join(out, "hicolor", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        img.save(os.path.join(folder, "mindprism.png"), optimize=True)

    # Each picture of the windows also comes drawn at twice the size, as
    # NAME@2x.EXT beside it, for displays scaled to 200 %.
    for k, suffix in ((1, ""), (2, "@2x")):
        render(update_svg(), 24 * k, 24 * k).save(
            os.path.join(out, f"Update_s24_01{suffix}.png"), optimize=True)
        render(about_svg(), 24 * k, 24 * k).save(
            os.path.join(out, f"About_s24_01{suffix}.png"), optimize=True)
        make_logo(k).save(os.path.join(out, f"larkspan_logo{suffix}.bmp"))
        make_button(k).save(os.path.join(out, f"larkspan_stat_01{suffix}.jpg"),
                            quality=95, subsampling=0, optimize=True)
    print(f"pictures written to {out}")


if __name__ == "__main__":
    main()
