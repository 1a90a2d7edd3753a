#!/usr/bin/python3
"""Makes the raster pictures in this folder from scratch (the SVG drawings are kept by hand).

    /usr/bin/python3 resources/make_pictures.py

Needs Pillow (Debian: python3-pil) and rsvg-convert (Debian: librsvg2-bin). Text in the
advertisement picture and the donation button uses DejaVu Sans (Debian: fonts-dejavu-core)
when it is there, Pillow's built-in font otherwise.

Writes:
  vexlora-N.png  the program icon, rendered from vexlora.svg, N = 16, 24, 32, 48, 64, 128, 256:
                 16, 32 and 48 for the windows, every size for the desktop's icon theme
  vexlora.ico    48 px (8 and 32 bit), 32 and 16 px (8, 24 and 32 bit), for the Windows build
  vexlora.rc     the Windows resource script that puts vexlora.ico in the executable
  ad-product.jpg 280 x 280, the product shown by the advertisement window
  donate.gif     62 x 31, the donation button of the About box
  hand.png       32 x 32 pointing-hand mouse pointer; its hot spot is (14, 5), the fingertip
"""

import io
import os
import shutil
import struct
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))

# The icon theme's sizes; the windows use 16, 32 and 48 of them.
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)

# Where a picture has no alpha channel of its own, this colour stands for "transparent".
MAGENTA = (255, 0, 255)

# The hand pointer's hot spot: the tip of the index finger.
HAND_HOTSPOT = (14, 5)

FONT_DIRS = ["/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu", "/usr/share/fonts/TTF"]


def out(name):
    return os.path.join(HERE, name)


def write_atomically(name, data):
    path = out(name)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def save_image(img, name, **options):
    buf = io.BytesIO()
    img.save(buf, **options)
    write_atomically(name, buf.getvalue())


def font(size, bold=True, oblique=False):
    file = "DejaVuSans"
    if bold or oblique:
        file += "-" + ("Bold" if bold else "") + ("Oblique" if oblique else "")
    for d in FONT_DIRS:
        path = os.path.join(d, file + ".ttf")
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


# --- program icon ----------------------------------------------------------------------


def render_svg(svg, size):
    exe = shutil.which("rsvg-convert")
    if not exe:
        sys.exit("rsvg-convert is missing (Debian package librsvg2-bin)")
    png = subprocess.run([exe, "-w", str(size), "-h", str(size), "-f", "png", svg],
                         check=True, stdout=subprocess.PIPE).stdout
    return Image.open(io.BytesIO(png)).convert("RGBA")


def bmp_rows(width, height, row_bytes):
    """DIB rows go bottom-up, each padded to four bytes."""
    rows = []
    for y in reversed(range(height)):
        row = row_bytes(y)
        rows.append(row + b"\0" * (-len(row) % 4))
    return b"".join(rows)


def and_mask(img):
    w, h = img.size
    alpha = img.getchannel("A").load()

    def row(y):
        bits = bytearray((w + 7) // 8)
        for x in range(w):
            if alpha[x, y] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        return bytes(bits)

    return bmp_rows(w, h, row)


def ico_entry(img, bpp):
    """One icon image as a classic DIB: header, palette, colour bits, transparency mask."""
    w, h = img.size
    palette = b""
    if bpp == 32:
        px = img.load()
        colour = bmp_rows(w, h, lambda y: b"".join(
            struct.pack("BBBB", px[x, y][2], px[x, y][1], px[x, y][0], px[x, y][3]) for x in range(w)))
    else:
        # Without an alpha channel, edge pixels are blended onto a light window face and
        # the rest of the transparency goes into the mask.
        flat = Image.new("RGB", img.size, (240, 240, 240))
        flat.paste(img, mask=img.getchannel("A"))
        alpha = img.getchannel("A").load()
        if bpp == 24:
            px = flat.load()
            colour = bmp_rows(w, h, lambda y: b"".join(
                bytes((0, 0, 0)) if alpha[x, y] < 128 else struct.pack("BBB", px[x, y][2], px[x, y][1], px[x, y][0])
                for x in range(w)))
        else:
            q = flat.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
            pal = q.getpalette()[: 255 * 3]
            pal += [0] * (255 * 3 - len(pal))
            pal += [0, 0, 0]  # index 255: what transparent pixels hold
            palette = b"".join(struct.pack("BBBB", pal[i + 2], pal[i + 1], pal[i], 0) for i in range(0, 768, 3))
            idx = q.load()
            colour = bmp_rows(w, h, lambda y: bytes(255 if alpha[x, y] < 128 else idx[x, y] for x in range(w)))
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0, len(colour) + len(and_mask(img)), 0, 0,
                         256 if bpp == 8 else 0, 0)
    return header + palette + colour + and_mask(img)


def make_ico(images):
    """images: list of (RGBA image, bits per pixel), written in that order."""
    entries = [(img, bpp, ico_entry(img, bpp)) for img, bpp in images]
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory, body = b"", b""
    for img, bpp, data in entries:
        w, h = img.size
        directory += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bpp, len(data),
                                 offset)
        body += data
        offset += len(data)
    return head + directory + body


def make_icon():
    svg = out("vexlora.svg")
    sizes = {s: render_svg(svg, s) for s in ICON_SIZES}
    for s, img in sizes.items():
        save_image(img, "vexlora-%d.png" % s, format="PNG", optimize=True)
    variants = [(48, 32), (48, 8), (32, 32), (32, 24), (32, 8), (16, 32), (16, 24), (16, 8)]
    write_atomically("vexlora.ico", make_ico([(sizes[s], bpp) for s, bpp in variants]))
    write_atomically("vexlora.rc", b'IDI_ICON1 ICON "vexlora.ico"\n')


# --- advertisement picture -------------------------------------------------------------
# Drawn four times too large and scaled down, which smooths the edges.

SS = 4


def s(*values):
    return [v * SS for v in values]


def make_ad_product():
    W = 280
    img = Image.new("RGB", (W * SS, W * SS), (255, 255, 255))
    d = ImageDraw.Draw(img)

    # Soft backdrop: pale blue fading to white.
    for y in range(W * SS):
        t = y / (W * SS)
        c = tuple(int(a + (b - a) * t) for a, b in zip((222, 232, 248), (255, 255, 255)))
        d.line([(0, y), (W * SS, y)], fill=c)

    # A specimen sheet standing behind the box.
    sheet = [(150, 18), (262, 34), (244, 178), (132, 162)]
    d.polygon(s(*[v for p in sheet for v in p]), fill=(255, 255, 255), outline=(150, 160, 180))
    small = font(13 * SS, bold=False)
    lines = ["Aa Bb Cc", "Dd Ee Ff", "Gg Hh Ii", "0123456789"]
    for i, text in enumerate(lines):
        line = Image.new("RGBA", (110 * SS, 20 * SS), (0, 0, 0, 0))
        ImageDraw.Draw(line).text((0, 0), text, font=small, fill=(60, 60, 80, 255))
        line = line.rotate(-8, resample=Image.BICUBIC, expand=True)
        img.paste(line, (156 * SS - i * 2 * SS, (38 + i * 24) * SS), line)

    # The box: front, side and top faces.
    front = [(28, 96), (178, 96), (178, 256), (28, 256)]
    side = [(178, 96), (228, 70), (228, 226), (178, 256)]
    top = [(28, 96), (78, 70), (228, 70), (178, 96)]
    shadow = [(40, 262), (196, 262), (250, 236), (236, 226)]
    d.polygon(s(*[v for p in shadow for v in p]), fill=(200, 205, 215))
    d.polygon(s(*[v for p in front for v in p]), fill=(150, 24, 36))
    d.polygon(s(*[v for p in side for v in p]), fill=(104, 14, 24))
    d.polygon(s(*[v for p in top for v in p]), fill=(196, 64, 70))
    for poly in (front, side, top):
        d.line(s(*[v for p in poly + poly[:1] for v in p]), fill=(60, 6, 12), width=2 * SS)

    # Gold band and lettering on the front.
    d.rectangle(s(28, 202, 178, 236), fill=(226, 184, 72))
    big = font(84 * SS)
    d.text((103 * SS, 150 * SS), "Aa", font=big, fill=(255, 236, 170), anchor="mm")
    d.text((103 * SS, 219 * SS), "Typecase", font=font(22 * SS), fill=(90, 20, 20), anchor="mm")
    d.text((103 * SS, 110 * SS), "FONT COLLECTION", font=font(10 * SS), fill=(255, 220, 200), anchor="mm")

    # The name once more down the side, turned on end.
    label = Image.new("RGBA", (130 * SS, 24 * SS), (0, 0, 0, 0))
    ImageDraw.Draw(label).text((65 * SS, 12 * SS), "TYPECASE", font=font(14 * SS), fill=(226, 184, 72, 255),
                               anchor="mm")
    label = label.rotate(90, expand=True)
    # Shear the upright label so that it follows the slant of the side face.
    lw, lh = label.size
    label = label.transform((lw, lh + 25 * SS), Image.AFFINE, (1, 0, 0, 0.5, 1, -0.0 * SS),
                            resample=Image.BICUBIC)
    img.paste(label, (191 * SS, 86 * SS), label)

    img = img.resize((W, W), Image.LANCZOS)
    save_image(img, "ad-product.jpg", format="JPEG", quality=90, optimize=True)


# --- donation button -------------------------------------------------------------------


def make_donate():
    W, H = 62, 31
    big = Image.new("RGBA", (W * SS, H * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.rounded_rectangle(s(1, 2, 60, 28), radius=13 * SS, fill=(255, 196, 57), outline=(204, 140, 20),
                        width=SS)
    # Lighter upper half for a little depth.
    d.rounded_rectangle(s(3, 4, 58, 14), radius=6 * SS, fill=(255, 216, 110))
    d.text((31 * SS, 15.5 * SS), "Donate", font=font(13 * SS, bold=True, oblique=True), fill=(0, 48, 135),
           anchor="mm")
    img = big.resize((W, H), Image.LANCZOS)

    # GIF has one transparent index and no partial transparency: faint edge pixels become
    # transparent, the others are blended onto a light window face.
    alpha = img.getchannel("A")
    flat = Image.new("RGB", (W, H), (240, 240, 240))
    flat.paste(img, mask=alpha)
    px, a = flat.load(), alpha.load()
    for y in range(H):
        for x in range(W):
            if a[x, y] < 96:
                px[x, y] = MAGENTA
    pal = flat.quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    colours = pal.getpalette()[: 64 * 3]
    key = next((i for i in range(64) if tuple(colours[i * 3:i * 3 + 3]) == MAGENTA), None)
    options = {"format": "GIF", "optimize": False}
    if key is not None:
        options["transparency"] = key
    save_image(pal, "donate.gif", **options)


# --- hand pointer ----------------------------------------------------------------------
# The silhouette is a few rounded boxes (x0, y0, x1, y1 inclusive); the outline is its edge
# plus the creases between the fingers.

HAND_PARTS = [
    (12, 5, 16, 21),   # index finger, pointing up; its tip is the hot spot
    (16, 11, 20, 21),  # middle finger, curled
    (20, 12, 24, 21),  # ring finger
    (24, 14, 27, 21),  # little finger
    (7, 15, 12, 22),   # thumb
    (9, 19, 27, 25),   # palm
    (11, 24, 25, 28),  # heel of the hand
]
HAND_CREASES = [(16, 12, 16, 17), (20, 13, 20, 17), (24, 15, 24, 17), (12, 16, 12, 20)]


def make_hand():
    inside = set()
    for x0, y0, x1, y1 in HAND_PARTS:
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                # Round each box's corners off by one pixel.
                if (x in (x0, x1)) and (y in (y0, y1)):
                    continue
                inside.add((x, y))
    outline = {(x, y) for (x, y) in inside
               if any((x + dx, y + dy) not in inside for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}
    for x0, y0, x1, y1 in HAND_CREASES:
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                outline.add((x, y))
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    px = img.load()
    for p in inside:
        px[p] = (0, 0, 0, 255) if p in outline else (255, 255, 255, 255)
    assert px[HAND_HOTSPOT] == (0, 0, 0, 255), "the hot spot must sit on the fingertip"
    save_image(img, "hand.png", format="PNG", optimize=True)


def main():
    make_icon()
    make_ad_product()
    make_donate()
    make_hand()
    for name in ["vexlora-%d.png" % size for size in ICON_SIZES] + [
            "vexlora.ico", "vexlora.rc", "ad-product.jpg", "donate.gif", "hand.png"]:
        print("%-16s %6d bytes" % (name, os.path.getsize(out(name))))


if __name__ == "__main__":
    main()
