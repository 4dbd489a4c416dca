"""Colour reduction for the 8-bit pictures: weighted median cut refined by k-means.

Deterministic: ties are broken by the colour values themselves, never by set order.
"""


def _dist2(a, b):
    return (a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2


def _mean(items):
    total = sum(w for _, w in items)
    return tuple(round(sum(c[i] * w for c, w in items) / total) for i in range(3))


def _median_cut(items, count, power):
    boxes = [sorted(items)]
    while len(boxes) < count:
        best, best_score = None, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            spread = max(max(c[ch] for c, _ in box) - min(c[ch] for c, _ in box)
                         for ch in range(3))
            # Big, heavily used boxes are split first; a power below 1 keeps rare
            # colours (edges, highlights) from being starved by large smooth areas.
            score = spread * (sum(w for _, w in box) ** power)
            if score > best_score:
                best, best_score = i, score
        if best is None:
            break
        box = boxes.pop(best)
        ch = max(range(3), key=lambda k: (max(c[k] for c, _ in box) - min(c[k] for c, _ in box), -k))
        box.sort(key=lambda cw: (cw[0][ch], cw[0]))
        half = sum(w for _, w in box) / 2
        acc, cut = 0, 1
        for j, (_, w) in enumerate(box):
            acc += w
            if acc >= half:
                cut = min(max(j + 1, 1), len(box) - 1)
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    return [_mean(b) for b in boxes]


def reduce_colors(histogram, count, iterations=12, power=0.5):
    """histogram: {rgb: weight}. Returns at most count representative colours."""
    items = sorted(histogram.items())
    if len(items) <= count:
        return [c for c, _ in items]
    reps = _median_cut(items, count, power)
    for _ in range(iterations):
        groups = [[] for _ in reps]
        for c, w in items:
            k = min(range(len(reps)), key=lambda i: (_dist2(c, reps[i]), i))
            groups[k].append((c, w))
        new = [(_mean(g) if g else r) for g, r in zip(groups, reps)]
        if new == reps:
            break
        reps = new
    # Drop duplicates, keep order stable.
    seen, out = set(), []
    for r in reps:
        if r not in seen:
            seen.add(r)
            out.append(r)
    return out


class NearestMap:
    """Nearest colour of a fixed list, memoised per input colour."""

    def __init__(self, colors):
        self.colors = list(colors)
        self.cache = {}

    def index(self, rgb):
        hit = self.cache.get(rgb)
        if hit is None:
            hit = min(range(len(self.colors)), key=lambda i: (_dist2(rgb, self.colors[i]), i))
            self.cache[rgb] = hit
        return hit
