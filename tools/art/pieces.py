"""The three piece shapes (ball, diagonal cross, five-pointed star), lit and supersampled.

Shapes live in unit coordinates: the piece spans [-1, 1] on its wider axis, x to the
right, y downwards, z towards the viewer. A shape returns the surface normal at a point,
or None outside; one light from the upper left shades every piece the same way.
"""

import math

# Piece colours in sheet column order: red, green, blue, yellow, magenta, cyan.
HUES = [
    (236, 28, 28),
    (34, 196, 40),
    (36, 72, 236),
    (250, 216, 16),
    (222, 36, 214),
    (24, 212, 228),
]


def _normalize(v):
    n = math.sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])
    return (v[0] / n, v[1] / n, v[2] / n)


LIGHT = _normalize((-0.55, -0.7, 0.9))
HALF = _normalize((LIGHT[0], LIGHT[1], LIGHT[2] + 1.0))


def shade(base, n, gloss=0.85, shininess=28.0):
    diffuse = max(0.0, n[0] * LIGHT[0] + n[1] * LIGHT[1] + n[2] * LIGHT[2])
    level = 0.30 + 0.82 * diffuse
    glint = max(0.0, n[0] * HALF[0] + n[1] * HALF[1] + n[2] * HALF[2]) ** shininess * gloss
    out = []
    for c in base:
        v = min(255.0, c * level)
        out.append(v + (255.0 - v) * glint)
    return tuple(out)


def ball(x, y):
    r2 = x * x + y * y
    if r2 >= 1.0:
        return None
    return (x, y, math.sqrt(1.0 - r2))


def make_cross(thickness):
    """An X of two round bars from corner to corner; thickness is the bar radius."""
    w = thickness
    bars = [((-1 + w, -1 + w), (1 - w, 1 - w)), ((1 - w, -1 + w), (-1 + w, 1 - w))]

    def cross(x, y):
        best = None
        for (ax, ay), (bx, by) in bars:
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
            t = min(1.0, max(0.0, t))
            px, py = x - (ax + t * dx), y - (ay + t * dy)
            d2 = px * px + py * py
            if d2 >= w * w:
                continue
            h = math.sqrt(w * w - d2)
            if best is None or h > best[0]:
                best = (h, (px / w, py / w, h / w))
        return None if best is None else best[1]

    return cross


def make_star(inner_ratio=0.47, height=0.55):
    """A faceted five-pointed star, point up, centred on its bounding box."""
    outer = 1.0 / math.cos(math.radians(18))  # so that the width is exactly 2
    inner = outer * inner_ratio
    shift = (outer - outer * math.cos(math.radians(36))) / 2  # centre the box vertically
    verts = []
    for k in range(10):
        a = math.radians(-90 + 36 * k)
        r = outer if k % 2 == 0 else inner
        verts.append((r * math.cos(a), r * math.sin(a)))
    apex = (0.0, 0.0, height * outer)
    facets = []
    for k in range(10):
        p, q = verts[k], verts[(k + 1) % 10]
        u = (p[0] - apex[0], p[1] - apex[1], -apex[2])
        v = (q[0] - apex[0], q[1] - apex[1], -apex[2])
        n = (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])
        if n[2] < 0:
            n = (-n[0], -n[1], -n[2])
        facets.append((p, q, _normalize(n)))

    def star(x, y):
        y = y + shift
        a = math.degrees(math.atan2(y, x)) + 90.0
        k = int((a % 360.0) // 36.0) % 10
        p, q, n = facets[k]
        # Inside when the point is on the centre's side of the outer edge p-q.
        ex, ey = q[0] - p[0], q[1] - p[1]
        side = ex * (y - p[1]) - ey * (x - p[0])
        centre = ex * (0 - p[1]) - ey * (0 - p[0])
        if side * centre <= 0:
            return None
        return n

    return star


def render(canvas, cx, cy, half, shape, base, ss=8, labels=None, label=None, **shading):
    """Draws a piece centred at (cx, cy) pixels, half its extent in pixels, over canvas.

    canvas[y][x] holds float RGB; each pixel averages ss x ss samples, so edges blend
    with whatever the canvas held. labels, when given, records label where coverage > 0.
    """
    height, width = len(canvas), len(canvas[0])
    x0, x1 = max(0, int(math.floor(cx - half)) - 1), min(width, int(math.ceil(cx + half)) + 1)
    y0, y1 = max(0, int(math.floor(cy - half)) - 1), min(height, int(math.ceil(cy + half)) + 1)
    n_samples = ss * ss
    for py in range(y0, y1):
        for px in range(x0, x1):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for j in range(ss):
                sy = (py + (j + 0.5) / ss - cy) / half
                for i in range(ss):
                    sx = (px + (i + 0.5) / ss - cx) / half
                    n = shape(sx, sy)
                    if n is None:
                        continue
                    c = shade(base, n, **shading)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    hits += 1
            if hits == 0:
                continue
            bg = canvas[py][px]
            miss = n_samples - hits
            canvas[py][px] = tuple((acc[k] + bg[k] * miss) / n_samples for k in range(3))
            if labels is not None:
                labels[py][px] = (label, hits / n_samples)
