#!/usr/bin/env bash
# Draws the Kivo program icon and writes res/kivo.ico.
#
#   tools/make-icon.sh [OUTPUT.ico]
#
# The icon is a blue rounded-square tile carrying a bold white upward arrow
# ("launch").  Every size is rasterised on its own from pixel-snapped geometry
# (no downscaling), so the small sizes stay crisp: horizontal and vertical
# edges sit exactly on pixel boundaries and only the 45-degree slopes and
# rounded corners are anti-aliased.
#
# Needs only bash and python3 (standard library).  The output is byte-for-byte
# reproducible: same script, same .ico.
#
# Sizes 16..64 are stored as 32-bit BGRA DIBs with an AND mask; 256 is stored
# as a PNG, as Windows Vista and later expect.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-"$here/../res/kivo.ico"}

command -v python3 >/dev/null 2>&1 || { echo "make-icon.sh: python3 is required" >&2; exit 1; }
mkdir -p "$(dirname "$out")"

python3 - "$out" <<'PY'
import math
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]

# Colours (sRGB, 0..255).
TILE_TOP = (0x2F, 0x6F, 0xD6)     # friendly blue
TILE_BOTTOM = (0x1F, 0x55, 0xB3)  # a slightly darker shade
RIM = (0x17, 0x44, 0x96)          # thin darker edge, keeps the tile defined on light backgrounds
SHADOW = (0x0B, 0x2A, 0x66)       # soft shadow under the arrow (larger sizes only)
ARROW = (0xFF, 0xFF, 0xFF)

# Per-size geometry, in pixels, chosen by hand so that the straight edges land
# on pixel boundaries.  All sizes are even, so the centre line x = S/2 is a
# pixel boundary too and the arrow is exactly symmetric.
#   m    margin around the tile         rad  tile corner radius
#   a    arrow apex y                   hw   half width of the arrow head
#   hh   height of the head (45 deg)    sw   half width of the stem
#   b    bottom of the stem             r    rounding of the arrow's outer corners
GEOMETRY = {
    16:  dict(m=0, rad=3,  a=2,  hw=5,  hh=5,  sw=2,  b=14,  r=0.0),
    20:  dict(m=0, rad=4,  a=2,  hw=7,  hh=7,  sw=3,  b=18,  r=0.0),
    24:  dict(m=1, rad=4,  a=3,  hw=8,  hh=8,  sw=3,  b=21,  r=0.0),
    32:  dict(m=1, rad=6,  a=4,  hw=10, hh=10, sw=4,  b=28,  r=0.5),
    40:  dict(m=1, rad=7,  a=5,  hw=12, hh=12, sw=5,  b=35,  r=0.6),
    48:  dict(m=2, rad=9,  a=6,  hw=15, hh=15, sw=6,  b=42,  r=0.9),
    64:  dict(m=2, rad=12, a=8,  hw=20, hh=20, sw=8,  b=56,  r=1.2),
    256: dict(m=8, rad=46, a=32, hw=80, hh=80, sw=32, b=224, r=5.0),
}


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def sd_round_box(px, py, x0, y0, x1, y1, rad):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    qx = abs(px - cx) - ((x1 - x0) / 2 - rad)
    qy = abs(py - cy) - ((y1 - y0) / 2 - rad)
    return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - rad


def sd_polygon(px, py, v):
    """Signed distance to a simple polygon (negative inside)."""
    d = (px - v[0][0]) ** 2 + (py - v[0][1]) ** 2
    s = 1.0
    n = len(v)
    j = n - 1
    for i in range(n):
        ex, ey = v[j][0] - v[i][0], v[j][1] - v[i][1]
        wx, wy = px - v[i][0], py - v[i][1]
        t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey))
        bx, by = wx - ex * t, wy - ey * t
        d = min(d, bx * bx + by * by)
        c1 = py >= v[i][1]
        c2 = py < v[j][1]
        c3 = ex * wy > ey * wx
        if (c1 and c2 and c3) or not (c1 or c2 or c3):
            s = -s
        j = i
    return s * math.sqrt(d)


def inset_polygon(v, r):
    """Moves every edge of polygon v inwards by r (mitred corners)."""
    if r <= 0:
        return v
    n = len(v)
    area = sum(v[i][0] * v[(i + 1) % n][1] - v[(i + 1) % n][0] * v[i][1] for i in range(n))
    sign = 1.0 if area > 0 else -1.0
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = v[i], v[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        nx, ny = -dy / ln * sign, dx / ln * sign  # inward normal
        lines.append(((x0 + nx * r, y0 + ny * r), (dx, dy)))
    out = []
    for i in range(n):
        (p, d), (q, e) = lines[i - 1], lines[i]
        den = d[0] * e[1] - d[1] * e[0]
        t = ((q[0] - p[0]) * e[1] - (q[1] - p[1]) * e[0]) / den
        out.append((p[0] + d[0] * t, p[1] + d[1] * t))
    return out


def arrow_polygon(size, g):
    cx = size / 2
    a, hw, hh, sw, b = g["a"], g["hw"], g["hh"], g["sw"], g["b"]
    base = a + hh
    return [
        (cx, a),
        (cx + hw, base),
        (cx + sw, base),
        (cx + sw, b),
        (cx - sw, b),
        (cx - sw, base),
        (cx - hw, base),
    ]


def mix(c0, c1, t):
    return tuple(c0[k] + (c1[k] - c0[k]) * t for k in range(3))


def render(size):
    """Returns rows of (r, g, b, a) tuples, straight alpha, 0..255."""
    g = GEOMETRY[size]
    m, rad = g["m"], g["rad"]
    x0, y0, x1, y1 = m, m, size - m, size - m
    # Inset by r, then grown back by r below: rounds the outer corners only.
    arrow = inset_polygon(arrow_polygon(size, g), g["r"])

    def sd_arrow(px, py):
        return sd_polygon(px, py, arrow) - g["r"]

    rim_w = max(1.0, size / 64)
    shadow = size >= 32
    sh_dy = size * 0.03
    sh_soft = size * 0.045
    rows = []
    for y in range(size):
        py = y + 0.5
        row = []
        for x in range(size):
            px = x + 0.5
            # Tile: vertical gradient with a thin darker rim.
            dt = sd_round_box(px, py, x0, y0, x1, y1, rad)
            a_t = clamp(0.5 - dt)
            col = mix(TILE_TOP, TILE_BOTTOM, clamp((py - y0) / (y1 - y0)))
            col = mix(col, RIM, 0.55 * clamp(rim_w + 0.5 + dt))
            # Soft shadow of the arrow, shifted down.
            if shadow and a_t > 0:
                ds = sd_arrow(px, py - sh_dy)
                k = clamp(0.5 - ds / sh_soft)
                col = mix(col, SHADOW, 0.30 * k * k * (3 - 2 * k))
            # Arrow.
            da = sd_arrow(px, py)
            a_a = clamp(0.5 - da)
            alpha = a_a + a_t * (1 - a_a)
            if alpha <= 0:
                row.append((0, 0, 0, 0))
                continue
            rgb = tuple((ARROW[k] * a_a + col[k] * a_t * (1 - a_a)) / alpha for k in range(3))
            row.append(tuple(int(round(clamp(c, 0, 255))) for c in rgb) + (int(round(alpha * 255)),))
        rows.append(row)
    return rows


def png_bytes(rows):
    h, w = len(rows), len(rows[0])

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib_bytes(rows):
    h, w = len(rows), len(rows[0])
    mask_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    count = len(images)
    offset = 6 + 16 * count
    head = struct.pack("<HHH", 0, 1, count)
    entries = b""
    blobs = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    return head + entries + blobs


images = []
for size in SIZES:
    rows = render(size)
    images.append((size, png_bytes(rows) if size >= 256 else dib_bytes(rows)))

with open(sys.argv[1], "wb") as f:
    f.write(ico_bytes(images))
PY

echo "wrote $(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
