"""The title lettering "Pilo": round tubes along straight and curved centre lines.

Each letter is a list of centre-line pieces; the letter is everything within the tube
radius of them. The nearest centre-line point also gives the tube's surface normal, so
the letters are lit exactly like the pieces.
"""

import math


def _seg(ax, ay, bx, by):
    def nearest(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
        t = min(1.0, max(0.0, t))
        return ax + t * dx, ay + t * dy

    return nearest


def _arc(cx, cy, r, start, end):
    """Arc from angle start to end in degrees, clockwise on screen (y grows downwards)."""
    a0, a1 = math.radians(start), math.radians(end)
    p0 = (cx + r * math.cos(a0), cy + r * math.sin(a0))
    p1 = (cx + r * math.cos(a1), cy + r * math.sin(a1))

    def nearest(x, y):
        a = math.atan2(y - cy, x - cx)
        rel = (a - a0) % (2 * math.pi)
        if rel <= (a1 - a0) % (2 * math.pi) or end - start >= 360:
            return cx + r * math.cos(a), cy + r * math.sin(a)
        d0 = (x - p0[0]) ** 2 + (y - p0[1]) ** 2
        d1 = (x - p1[0]) ** 2 + (y - p1[1]) ** 2
        return p0 if d0 <= d1 else p1

    return nearest


def title_strokes(left, top, height):
    """Centre lines of "Pilo" with the top of the capitals at top; returns (strokes, radius,
    right edge)."""
    s = height / 130.0
    radius = 15 * s
    gap = 14 * s
    base = top + height - radius  # lowest centre-line point
    cap = top + radius  # highest centre-line point
    strokes = []
    # P: stem and a bowl down to just over half the height.
    x = left + radius
    bowl_r = 33 * s
    bowl_a = 25 * s
    strokes += [_seg(x, cap, x, base), _seg(x, cap, x + bowl_a, cap),
                _seg(x, cap + 2 * bowl_r, x + bowl_a, cap + 2 * bowl_r),
                _arc(x + bowl_a, cap + bowl_r, bowl_r, -90, 90)]
    x += bowl_a + bowl_r + radius + gap + radius
    # i: stem from the x-height down, and a dot above it.
    x_height = 80 * s
    strokes += [_seg(x, top + height - x_height + radius, x, base)]
    dots = [(x, top + height - x_height - 27 * s, 17 * s)]
    x += radius + gap + radius
    # l: a full-height stem.
    strokes += [_seg(x, cap, x, base)]
    x += radius + gap
    # o: a ring filling the x-height.
    ring = x_height / 2
    x += ring
    strokes += [_arc(x, top + height - ring, ring - radius, 0, 360)]
    right = x + ring
    return strokes, dots, radius, right


def make_title(left, top, height):
    """shape(x, y) -> (distance outside the letters, normal or None), and the right edge."""
    strokes, dots, radius, right = title_strokes(left, top, height)

    def shape(x, y):
        best = None
        for nearest in strokes:
            qx, qy = nearest(x, y)
            d = math.hypot(x - qx, y - qy)
            if best is None or d < best[0]:
                best = (d, qx, qy, radius)
        for (cx, cy, r) in dots:
            d = math.hypot(x - cx, y - cy)
            # A dot is a ball: measured against its own radius.
            if d - r < best[0] - best[3]:
                best = (d, cx, cy, r)
        d, qx, qy, r = best
        if d >= r:
            return d - r, None
        h = math.sqrt(r * r - d * d)
        return d - r, ((x - qx) / r, (y - qy) / r, h / r)

    return shape, right
