#!/usr/bin/python3
"""Makes the program's assets: logo, markers, tool icons, cursors, logo movies
and the demo image.

Run from anywhere with Debian's interpreter:

    /usr/bin/python3 resources/make_assets.py

Needs python3-numpy, python3-pil and the ffmpeg command-line tool (apt-get
install python3-numpy python3-pil ffmpeg). The build does not: the generated
files are committed beside this script and compiled in through resources.qrc.
Everything is drawn from fixed random seeds, so a rerun gives the same
pictures.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
YELLOW = (255, 230, 0)
ICON_BG = (214, 214, 214)


def out(*parts):
    path = os.path.join(HERE, *parts)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def save_png(img, *parts):
    # No gamma, time or text chunks: the same picture gives the same bytes.
    img.save(out(*parts), format="PNG", optimize=True)


def font(path, size):
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


# ---------------------------------------------------------------------------
# Blurring and drawing helpers on float arrays


def gaussian_blur(a, sigma):
    """Gaussian blur of a 2-D array through the FFT, padded so nothing wraps."""
    if sigma <= 0:
        return a
    pad = int(4 * sigma) + 1
    p = np.pad(a, pad, mode="edge")
    h, w = p.shape
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.rfftfreq(w)[None, :]
    transfer = np.exp(-2.0 * (np.pi * sigma) ** 2 * (fx * fx + fy * fy))
    b = np.fft.irfft2(np.fft.rfft2(p) * transfer, s=p.shape)
    return b[pad:-pad, pad:-pad]


def splat(a, xs, ys, values):
    """Adds values at sub-pixel positions, spread bilinearly over four pixels."""
    h, w = a.shape
    x0 = np.floor(xs).astype(int)
    y0 = np.floor(ys).astype(int)
    fx = xs - x0
    fy = ys - y0
    for dx, dy, wgt in ((0, 0, (1 - fx) * (1 - fy)), (1, 0, fx * (1 - fy)),
                        (0, 1, (1 - fx) * fy), (1, 1, fx * fy)):
        xx = x0 + dx
        yy = y0 + dy
        ok = (xx >= 0) & (xx < w) & (yy >= 0) & (yy < h)
        np.add.at(a, (yy[ok], xx[ok]), (values * wgt)[ok])


def spots(a, xs, ys, sigmas, amps):
    """Adds small Gaussian spots, each drawn in a local window."""
    h, w = a.shape
    for x, y, s, amp in zip(xs, ys, sigmas, amps):
        r = int(3 * s) + 1
        xa, xb = max(0, int(x) - r), min(w, int(x) + r + 2)
        ya, yb = max(0, int(y) - r), min(h, int(y) + r + 2)
        if xa >= xb or ya >= yb:
            continue
        gx = np.arange(xa, xb)[None, :] - x
        gy = np.arange(ya, yb)[:, None] - y
        a[ya:yb, xa:xb] += amp * np.exp(-(gx * gx + gy * gy) / (2 * s * s))


# ---------------------------------------------------------------------------
# Demo image: two-colour confocal section of cultured cells


class Cell:
    def __init__(self, rng, cx, cy, radius):
        self.cx, self.cy, self.radius = cx, cy, radius
        self.k = np.arange(1, 6)
        self.amp = rng.normal(0, 1, 5) * np.array([0.12, 0.12, 0.07, 0.05, 0.03])
        self.phase = rng.uniform(0, 2 * np.pi, 5)
        # Cells are drawn out along one axis.
        self.rot = rng.uniform(0, np.pi)
        self.stretch = rng.uniform(0.65, 0.95)
        # Nucleus: an ellipse somewhat off the cell's centre.
        off = rng.uniform(0.0, 0.2) * radius
        ang = rng.uniform(0, 2 * np.pi)
        self.nx = cx + off * np.cos(ang)
        self.ny = cy + off * np.sin(ang)
        self.na = radius * rng.uniform(0.28, 0.36)
        self.nb = self.na * rng.uniform(0.70, 0.92)
        self.nrot = rng.uniform(0, np.pi)
        # The centrosome sits just beside the nucleus, facing away from its offset.
        side = ang + np.pi + rng.normal(0, 0.4)
        self.side = side
        self.sx = self.nx + (self.na + 5) * np.cos(side)
        self.sy = self.ny + (self.na + 5) * np.sin(side)

    def polar(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        c, s = np.cos(self.rot), np.sin(self.rot)
        u = dx * c + dy * s
        v = (-dx * s + dy * c) / self.stretch
        return np.hypot(u, v), np.arctan2(v, u)

    def edge(self, theta):
        theta = np.asarray(theta, float)
        r = 1.0 + np.sum(self.amp[:, None] * np.cos(self.k[:, None] * theta.ravel()[None, :]
                                                     + self.phase[:, None]), axis=0)
        return (self.radius * r).reshape(theta.shape)

    def masks(self, X, Y):
        d, theta = self.polar(X, Y)
        r = self.edge(theta)
        cyto = 1.0 / (1.0 + np.exp((d - r) / 2.5))
        ux, uy = X - self.nx, Y - self.ny
        c, s = np.cos(self.nrot), np.sin(self.nrot)
        e = np.hypot((ux * c + uy * s) / self.na, (-ux * s + uy * c) / self.nb)
        nucleus = 1.0 / (1.0 + np.exp((e - 1.0) * 18.0))
        return cyto, nucleus, d / np.maximum(r, 1)

    def inside(self, x, y):
        d, theta = self.polar(x, y)
        return d < self.edge(theta) - 2

    def in_nucleus(self, x, y):
        ux, uy = x - self.nx, y - self.ny
        c, s = np.cos(self.nrot), np.sin(self.nrot)
        return np.hypot((ux * c + uy * s) / self.na, (-ux * s + uy * c) / self.nb) < 1.05


def place_cells(rng, size):
    cells = []
    tries = 0
    while len(cells) < 7 and tries < 2000:
        tries += 1
        radius = rng.uniform(95, 135)
        cx, cy = rng.uniform(40, size - 40, 2)
        if all(np.hypot(cx - c.cx, cy - c.cy) > 0.80 * (radius + c.radius) for c in cells):
            cells.append(Cell(rng, cx, cy, radius))
    return cells


def filaments(rng, cell, count):
    """Microtubule-like curves: persistent random walks from the centrosome to the rim."""
    paths = []
    for _ in range(count):
        ang = rng.uniform(0, 2 * np.pi)
        x = cell.sx + rng.normal(0, 2)
        y = cell.sy + rng.normal(0, 2)
        pts = []
        step = 0.5
        curv = rng.normal(0, 0.004)
        for _ in range(900):
            ang += curv + rng.normal(0, 0.035)
            x += step * np.cos(ang)
            y += step * np.sin(ang)
            if not cell.inside(x, y):
                break
            pts.append((x, y))
        if len(pts) > 20:
            paths.append(np.array(pts))
    return paths


def make_demo(size=640):
    rng = np.random.default_rng(20240168)
    Y, X = np.mgrid[0:size, 0:size].astype(float)
    red = np.zeros((size, size))
    green = np.zeros((size, size))
    cells = place_cells(rng, size)
    for cell in cells:
        cyto, nucleus, rel = cell.masks(X, Y)
        body = cyto * (1 - nucleus)
        # Diffuse cytoplasmic labelling, brighter towards the nucleus.
        green += 14 * body * (1.2 - 0.6 * np.clip(rel, 0, 1))
        red += 9 * body * (1.3 - 0.8 * np.clip(rel, 0, 1))
        red += 6 * nucleus * cyto
        # Green filaments: thin lines splatted at sub-pixel steps.
        paths = filaments(rng, cell, int(rng.integers(70, 110)))
        for p in paths:
            v = rng.uniform(14.0, 30.0) * np.ones(len(p))
            nuc = np.array([cell.in_nucleus(px, py) for px, py in p])
            v[nuc] *= 0.15  # out of focus above the nucleus
            splat(green, p[:, 0], p[:, 1], v)
        # Red vesicles, crowded around the nucleus; some ride on the filaments
        # and carry both labels.
        n = int(rng.integers(220, 320))
        vx, vy = [], []
        while len(vx) < n:
            r = cell.radius * np.sqrt(rng.uniform(0.02, 1.0)) ** 1.4
            a = rng.uniform(0, 2 * np.pi)
            x, y = cell.nx + r * np.cos(a), cell.ny + r * np.sin(a)
            if cell.inside(x, y) and not cell.in_nucleus(x, y):
                vx.append(x)
                vy.append(y)
        vx, vy = np.array(vx), np.array(vy)
        sig = rng.uniform(0.7, 1.9, n)
        amp = rng.lognormal(np.log(90), 0.55, n)
        spots(red, vx, vy, sig, amp)
        both = rng.uniform(0, 1, n) < 0.35
        spots(green, vx[both], vy[both], sig[both] * 1.1,
              amp[both] * rng.uniform(0.4, 1.1, both.sum()))
        # Vesicles on filaments: both channels, partly shifted against each other.
        m = int(rng.integers(50, 90))
        for _ in range(m):
            p = paths[int(rng.integers(len(paths)))]
            q = p[int(rng.integers(len(p)))]
            s = rng.uniform(0.8, 1.6)
            a = rng.lognormal(np.log(70), 0.5)
            spots(red, [q[0]], [q[1]], [s], [a])
            dx, dy = rng.normal(0, 0.8, 2)
            spots(green, [q[0] + dx], [q[1] + dy], [s], [a * rng.uniform(0.5, 1.2)])
        # Green-only puncta.
        k = int(rng.integers(40, 80))
        gx = cell.cx + rng.normal(0, cell.radius * 0.45, k)
        gy = cell.cy + rng.normal(0, cell.radius * 0.45, k)
        keep = np.array([cell.inside(x, y) and not cell.in_nucleus(x, y) for x, y in zip(gx, gy)])
        spots(green, gx[keep], gy[keep], rng.uniform(0.8, 1.6, keep.sum()),
              rng.lognormal(np.log(60), 0.5, keep.sum()))
        # A perinuclear, Golgi-like cluster by the centrosome: stacks of blobs
        # in both channels, the green ones shifted so they overlap in part.
        k = int(rng.integers(14, 24))
        t = rng.uniform(-0.55, 0.55, k)
        ra = cell.na + rng.uniform(4, 16, k)
        gxr = cell.nx + ra * np.cos(cell.side + t)
        gyr = cell.ny + ra * np.sin(cell.side + t)
        sg = rng.uniform(1.5, 3.2, k)
        spots(red, gxr, gyr, sg, rng.lognormal(np.log(45), 0.4, k))
        sel = rng.uniform(0, 1, k) < 0.7
        spots(green, gxr[sel] + rng.normal(0, 2.5, sel.sum()),
              gyr[sel] + rng.normal(0, 2.5, sel.sum()), sg[sel],
              rng.lognormal(np.log(35), 0.4, sel.sum()))

    # A few very bright aggregates that saturate the detector.
    for _ in range(6):
        c = cells[int(rng.integers(len(cells)))]
        a = rng.uniform(0, 2 * np.pi)
        r = c.na + rng.uniform(8, 30)
        x, y = c.nx + r * np.cos(a), c.ny + r * np.sin(a)
        spots(red, [x], [y], [1.6], [rng.uniform(500, 900)])
        if rng.uniform() < 0.5:
            spots(green, [x + 0.5], [y], [1.5], [rng.uniform(400, 800)])

    # Optics: the point spread function, slightly wider in red; a little
    # bleed-through of green into the red detector.
    red = gaussian_blur(red, 1.35)
    green = gaussian_blur(green, 1.2)
    red = red + 0.04 * green
    # Detector: photon noise, dark offset and read noise; then 8 bits.
    gain = 0.6  # photons per grey level
    def detect(signal):
        photons = rng.poisson(np.clip(signal + 1.5, 0, None) * gain)
        v = photons / gain + rng.normal(-1.0, 1.6, signal.shape)
        return np.clip(np.floor(v), 0, 255).astype(np.uint8)
    rgb = np.zeros((size, size, 3), np.uint8)
    rgb[..., 0] = detect(red)
    rgb[..., 1] = detect(green)
    return rgb


# ---------------------------------------------------------------------------
# Logo: two overlapping channel discs, added as light


def channel_discs(size, centre_r, centre_g, radius, glow=True, scale=4):
    """Red and green discs added as light (yellow where they overlap), as an RGB array."""
    s = size * scale
    Y, X = (np.mgrid[0:s, 0:s] + 0.5) / scale
    def disc(cx, cy):
        d = np.hypot(X - cx, Y - cy)
        body = np.clip(radius - d + 0.5, 0, 1)
        if glow:
            halo = 0.35 * np.exp(-np.clip(d - radius, 0, None) / (radius * 0.18))
            core = 0.82 + 0.18 * np.clip(1 - d / radius, 0, 1)
            return np.maximum(body * core, halo * (d > radius))
        return body
    r = disc(*centre_r)
    g = disc(*centre_g)
    a = np.zeros((s, s, 3))
    a[..., 0] = r
    a[..., 1] = g
    a = a.reshape(size, scale, size, scale, 3).mean(axis=(1, 3))
    return a


def make_logo():
    size = 128
    bg = np.array([10, 12, 24], float)
    light = channel_discs(size, (47, 50), (81, 50), 30)
    img = bg[None, None, :] * (1 - light.max(axis=2, keepdims=True)) + 255 * light
    im = Image.fromarray(np.clip(img, 0, 255).astype(np.uint8), "RGB")
    d = ImageDraw.Draw(im)
    f = font(FONT_BOLD, 17)
    text = "Quorvane"
    w = d.textlength(text, font=f)
    d.text(((size - w) / 2, 96), text, font=f, fill=(235, 238, 245))
    return im


# ---------------------------------------------------------------------------
# Markers, icons and cursors

# A 16 x 16 arrow pointing to the top left: B its black rim, W its inside.
ARROW = [
    "B...............",
    "BB..............",
    "BWB.............",
    "BWWB............",
    "BWWWB...........",
    "BWWWWB..........",
    "BWWWWWB.........",
    "BWWWWWWB........",
    "BWWWWWWWB.......",
    "BWWWWWWWWB......",
    "BWWWWWBBBBB.....",
    "BWWBWWB.........",
    "BWB.BWWB........",
    "BB..BWWB........",
    "B....BWWB.......",
    "......BB........",
]


def arrow_pictures():
    """(silhouette, white arrow with black rim), both on white."""
    sil = Image.new("RGB", (16, 16), WHITE)
    white = Image.new("RGB", (16, 16), WHITE)
    for y, row in enumerate(ARROW):
        for x, c in enumerate(row):
            if c != ".":
                sil.putpixel((x, y), BLACK)
            if c == "B":
                white.putpixel((x, y), BLACK)
    return sil, white


def yellow_marker():
    """15 x 15 yellow ring with a centre dot; the rest is white (drawn transparent)."""
    im = Image.new("RGB", (15, 15), WHITE)
    d = ImageDraw.Draw(im)
    d.ellipse((0, 0, 14, 14), outline=YELLOW, width=2)
    d.rectangle((6, 6, 8, 8), fill=YELLOW)
    return im


def icon(picture):
    """16 x 16 tool icon: the marker on the button grey."""
    ic = Image.new("RGB", (16, 16), ICON_BG)
    px = picture.load()
    w, h = picture.size
    ox, oy = (16 - w) // 2, (16 - h) // 2
    for y in range(h):
        for x in range(w):
            if px[x, y] != WHITE:
                ic.putpixel((ox + x, oy + y), px[x, y])
    return ic


def white_arrow_icon(sil, white):
    ic = Image.new("RGB", (16, 16), ICON_BG)
    s, w = sil.load(), white.load()
    for y in range(16):
        for x in range(16):
            if s[x, y] == BLACK:
                ic.putpixel((x, y), w[x, y])
    return ic


def cursor(picture, mask):
    """RGBA cursor picture: the marker where the mask is set, clear elsewhere."""
    w, h = picture.size
    c = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    p, m = picture.load(), mask.load()
    for y in range(h):
        for x in range(w):
            if m[x, y]:
                c.putpixel((x, y), p[x, y] + (255,))
    return c


def mask_of(picture, keep):
    m = Image.new("1", picture.size, 0)
    p = picture.load()
    for y in range(picture.size[1]):
        for x in range(picture.size[0]):
            if keep(p[x, y]):
                m.putpixel((x, y), 1)
    return m


# ---------------------------------------------------------------------------
# Logo movies


def movie_frame(t, variant, size=256):
    """One frame, t in 0..1 through the movie."""
    bg = np.array([0, 0, 0], float)
    ease = lambda u: 0.5 - 0.5 * np.cos(np.pi * np.clip(u, 0, 1))
    if variant == "small2":
        # The two channels glide in from the sides and settle overlapping.
        u = ease(t / 0.7)
        gap = 150 * (1 - u) + 44 * u
        cr = (128 - gap / 2, 112)
        cg = (128 + gap / 2, 112)
        radius = 52
        text_alpha = np.clip((t - 0.6) / 0.3, 0, 1)
    else:
        # The two channels turn once around each other and end side by side.
        th = 2 * np.pi * (1 - ease(t / 0.85))
        cr = (128 - 22 * np.cos(th), 112 - 22 * np.sin(th))
        cg = (128 + 22 * np.cos(th), 112 + 22 * np.sin(th))
        radius = 52
        text_alpha = 1.0
    light = channel_discs(size, cr, cg, radius, glow=False, scale=2)
    img = bg[None, None, :] * (1 - light.max(axis=2, keepdims=True)) + 255 * light
    im = Image.fromarray(np.clip(img, 0, 255).astype(np.uint8), "RGB")
    if text_alpha > 0:
        d = ImageDraw.Draw(im)
        f = font(FONT_BOLD, 30)
        text = "Quorvane"
        w = d.textlength(text, font=f)
        level = int(round(230 * text_alpha))
        d.text(((size - w) / 2, 192), text, font=f, fill=(level, level, level))
    return im


def write_movie(variant, seconds, fps, path):
    tmp = tempfile.mkdtemp()
    try:
        n = int(round(seconds * fps))
        for i in range(n):
            movie_frame(i / (n - 1), variant).save(os.path.join(tmp, "f%03d.png" % i))
        subprocess.run(["ffmpeg", "-v", "error", "-y", "-framerate", str(fps),
                        "-i", os.path.join(tmp, "f%03d.png"),
                        "-c:v", "qtrle", "-pix_fmt", "rgb24",
                        "-map_metadata", "-1", "-fflags", "+bitexact",
                        "-flags:v", "+bitexact", "-f", "mov", path], check=True)
    finally:
        shutil.rmtree(tmp)


# ---------------------------------------------------------------------------


def main():
    if shutil.which("ffmpeg") is None:
        sys.exit("make_assets.py needs the ffmpeg command-line tool")

    save_png(make_logo(), "pictures", "logo128.png")

    marker = yellow_marker()
    sil, white = arrow_pictures()
    save_png(marker, "pictures", "marker_yellow.png")     # yelCurs
    save_png(sil, "pictures", "arrow_black.png")          # arrowBlack
    save_png(white, "pictures", "arrow_white.png")        # arrowWhiteBG
    save_png(sil, "pictures", "arrow_white_mask.png")     # arrowBlacknonT
    save_png(icon(marker), "pictures", "icon_marker_yellow.png")
    save_png(white_arrow_icon(sil, white), "pictures", "icon_arrow_white.png")
    save_png(icon(sil), "pictures", "icon_arrow_black.png")

    # Cursors show exactly the marker that a click stamps: the montage draws
    # the marker with its top left 7 pixels above and left of the pointer, so
    # each cursor's hot spot is (7, 7).
    sil_mask = mask_of(sil, lambda c: c == BLACK)
    cursor(white, sil_mask).save(out("cursors", "arrow_white.png"), optimize=True)
    cursor(sil, sil_mask).save(out("cursors", "arrow_black.png"), optimize=True)
    cursor(marker, mask_of(marker, lambda c: c != WHITE)).save(
        out("cursors", "marker_yellow.png"), optimize=True)
    with open(out("cursors", "hotspots.json"), "w") as f:
        json.dump({"169": [7, 7], "171": [7, 7], "1128": [7, 7]}, f)
        f.write("\n")

    write_movie("small", 2.4, 15, out("movies", "logo_orbit.mov"))     # movie 168
    write_movie("small2", 3.2, 15, out("movies", "logo_merge.mov"))    # movie 169

    Image.fromarray(make_demo(), "RGB").save(out("demo", "confocal_demo.png"),
                                             format="PNG", optimize=True)


if __name__ == "__main__":
    main()
