#!/usr/bin/env python3
"""Writes examples/hoops.ini, the sample hoop catalogue, byte for byte as the library saves a catalogue.

Units are tenths of a millimetre; every sew field is centred on the origin with top > bottom. The outline
traces the inside of the hoop frame; the inner dimension bounds that opening and the outer dimension the frame.

    python3 tools/make_sample_catalogue.py examples/hoops.ini
"""
import math
import sys


def circle(radius, count=36):
    return [(round(radius * math.cos(2 * math.pi * k / count)), round(radius * math.sin(2 * math.pi * k / count)))
            for k in range(count)]


def superellipse(half_width, half_height, exponent=4.0, count=36):
    """An oval with fuller shoulders than an ellipse, as embroidery ovals are."""
    points = []
    for k in range(count):
        angle = 2 * math.pi * k / count
        c, s = math.cos(angle), math.sin(angle)
        x = half_width * math.copysign(abs(c) ** (2 / exponent), c)
        y = half_height * math.copysign(abs(s) ** (2 / exponent), s)
        points.append((round(x), round(y)))
    return points


def rounded_rectangle(half_width, half_height, radius, steps=4):
    """Counter-clockwise from the right edge, each corner a quarter circle of steps + 1 points."""
    corners = [(half_width - radius, half_height - radius, 0), (-half_width + radius, half_height - radius, 90),
               (-half_width + radius, -half_height + radius, 180), (half_width - radius, -half_height + radius, 270)]
    points = []
    for cx, cy, start in corners:
        for step in range(steps + 1):
            angle = math.radians(start + 90 * step / steps)
            points.append((round(cx + radius * math.cos(angle)), round(cy + radius * math.sin(angle))))
    return points


def cap_frame(half_width, half_height, bow):
    """A cap frame's opening: flat at the brim, arched over the crown."""
    points = [(half_width, -half_height)]
    steps = 12
    for step in range(steps + 1):
        x = half_width - 2 * half_width * step / steps
        y = half_height + bow * (1 - (x / half_width) ** 2)
        points.append((round(x), round(y)))
    points.append((-half_width, -half_height))
    return points


def centred(width, height):
    """A rectangle of width x height tenths centred on the origin: left, top, right, bottom."""
    return (-width // 2, height // 2, width // 2, -height // 2)


def bounds(points):
    xs = [x for x, _ in points]
    ys = [y for _, y in points]
    return (min(xs), max(ys), max(xs), min(ys))


def grown(rect, by):
    left, top, right, bottom = rect
    return (left - by, top + by, right + by, bottom - by)


def hoop(description, shape, sew, outline, frame, mounts):
    inner = bounds(outline)
    return dict(description=description, shape=shape, sew=centred(*sew), points=outline, inner=inner,
                outer=grown(inner, frame), mounts=mounts)


STANDARD = [dict(id=1, label="Standard", rotation=0, limits=(0, 0, 0, 0))]

HOOPS = [
    hoop("Small 50x50", "square", (500, 500), rounded_rectangle(300, 300, 60), 100, []),
    hoop("Round 100 mm", "round", (680, 680), circle(500), 60, STANDARD),
    hoop("Round 150 mm", "round", (1040, 1040), circle(750), 70, STANDARD),
    hoop("Square 100x100", "square", (1000, 1000), rounded_rectangle(550, 550, 100), 100, STANDARD),
    hoop("Oval 130x180", "oval", (1300, 1800), superellipse(780, 1080), 80, STANDARD),
    hoop("Square 150x150", "square", (1500, 1500), rounded_rectangle(800, 800, 150), 100, STANDARD),
    hoop("Rectangular 200x140", "rectangle", (2000, 1400), rounded_rectangle(1060, 760, 150), 120, STANDARD),
    hoop("Rectangular 260x160", "rectangle", (2600, 1600), rounded_rectangle(1360, 860, 160), 120, STANDARD),
    hoop("Jumbo 360x200", "rectangle", (3600, 2000), rounded_rectangle(1860, 1060, 180), 140, STANDARD),
    hoop("Cap 130x60", "cap", (1300, 600), cap_frame(720, 340, 160), 90,
         [dict(id=7, label="Cap driver", rotation=180, limits=(0, 0, 0, 0))]),
    hoop("Sleeve 70x180", "sleeve", (700, 1800), rounded_rectangle(400, 1000, 120), 90,
         [dict(id=5, label="Sleeve arm", rotation=90, limits=(0, 0, 0, 0))]),
    hoop("Multi-position 130x380", "multi-position", (1300, 1800), rounded_rectangle(760, 2000, 160), 120,
         [dict(id=1, label="Bottom", rotation=0, limits=(0, 0, -1000, -1000)),
          dict(id=2, label="Middle", rotation=0, limits=(0, 0, 0, 0)),
          dict(id=3, label="Top", rotation=0, limits=(0, 0, 1000, 1000))]),
    hoop("Border 330x100", "border", (1000, 1000), rounded_rectangle(1760, 600, 140), 120,
         [dict(id=1, label="Left", rotation=0, limits=(-1150, -1150, 0, 0)),
          dict(id=2, label="Centre", rotation=0, limits=(0, 0, 0, 0)),
          dict(id=3, label="Right", rotation=0, limits=(1150, 1150, 0, 0))]),
]


def section(lines):
    return "".join(line + "\r\n" for line in lines) + "\r\n"


def numbers(values):
    return ",".join(str(value) for value in values)


def catalogue_text(hoops):
    text = section(["[hoops]", 'text=""'])
    for index, h in enumerate(hoops):
        head = [f"[hoops.hoop{index}]", f'description="{h["description"]}"', f'shape="{h["shape"]}"', 'text=""']
        if h["points"]:
            head.append("points=" + numbers(coordinate for point in h["points"] for coordinate in point))
        text += section(head)
        for name, rect in (("sewfield", h["sew"]), ("innerdim", h["inner"]), ("outerdim", h["outer"])):
            text += section([f"[hoops.hoop{index}.{name}]", "rect=" + numbers(rect), 'text=""'])
        if h["mounts"]:
            text += section([f"[hoops.hoop{index}.mounts]", 'text=""'])
        for number, m in enumerate(h["mounts"]):
            text += section([f"[hoops.hoop{index}.mounts.mount{number}]", f'id={m["id"]}',
                             f'label="{m["label"]}"', f'rotation={m["rotation"]}',
                             "lowhighxy=" + numbers(m["limits"]), 'text=""'])
    return text


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "examples/hoops.ini", "wb") as out:
        out.write(catalogue_text(HOOPS).encode("ascii"))
