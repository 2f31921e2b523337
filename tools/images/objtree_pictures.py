#!/usr/bin/env python3
"""Draws the 15 pictures of the object tree (server, database, tables,
folders, views, procedures, functions, indexes, triggers, dependencies,
keys, constraints, an unused cell and columns) as one .pix strip.

Run from the source tree's root:  python3 tools/images/objtree_pictures.py
White is the key colour: it shows the tree's background.
"""

W, H, N = 16, 16, 15

PALETTE = [
    ("w", "#ffffff"),
    ("k", "#303030"),
    ("s", "#808080"),
    ("g", "#d0d0d0"),
    ("b", "#2060c0"),
    ("l", "#a8c8f0"),
    ("y", "#f0c830"),
    ("Y", "#fff0a0"),
    ("G", "#209040"),
    ("e", "#a0e0a0"),
    ("r", "#d02828"),
    ("o", "#e07818"),
    ("p", "#8040b0"),
    ("c", "#28a0b0"),
]


class Cell:
    def __init__(self):
        self.px = [["w"] * W for _ in range(H)]

    def set(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def box(self, x0, y0, x1, y1, fill, edge="k"):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                onEdge = x in (x0, x1) or y in (y0, y1)
                self.set(x, y, edge if onEdge else fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.set(x, y, c)


def server():
    c = Cell()
    c.box(4, 1, 11, 14, "g")
    for y in (3, 5, 7):
        c.hline(6, 9, y, "s")
    c.set(9, 11, "G")
    c.hline(3, 12, 14, "k")
    return c


def database():
    c = Cell()
    c.box(3, 3, 12, 13, "l", "b")
    c.hline(4, 11, 2, "b")
    c.hline(4, 11, 6, "b")
    c.hline(4, 11, 9, "b")
    return c


def table():
    c = Cell()
    c.box(1, 2, 14, 13, "w")
    c.hline(2, 13, 3, "b")
    c.hline(2, 13, 4, "b")
    for y in (7, 10):
        c.hline(1, 14, y, "k")
    c.vline(6, 5, 12, "k")
    return c


def folder():
    c = Cell()
    c.box(1, 4, 14, 13, "y", "o")
    c.box(1, 2, 6, 4, "Y", "o")
    return c


def view():
    c = table()
    c.box(8, 8, 15, 15, "e", "G")
    return c


def procedure():
    c = Cell()
    c.box(2, 1, 13, 14, "Y")
    for y in (4, 7, 10):
        c.hline(4, 11, y, "b")
    c.set(12, 12, "G")
    return c


def xprocedure():
    c = procedure()
    c.box(9, 9, 15, 15, "g", "r")
    return c


def function():
    c = Cell()
    for y in range(2, 14):
        c.set(7, y, "p")
    c.hline(7, 11, 2, "p")
    c.hline(5, 10, 7, "p")
    c.hline(4, 6, 13, "p")
    return c


def index():
    c = Cell()
    c.box(3, 1, 12, 14, "w")
    for y in (4, 7, 10):
        c.hline(5, 10, y, "c")
        c.set(4, y, "k")
    return c


def trigger():
    c = Cell()
    pts = [(9, 1), (8, 2), (7, 3), (6, 4), (5, 5), (4, 6), (5, 7), (6, 7), (7, 7), (8, 7),
           (7, 8), (6, 9), (5, 10), (4, 11), (3, 12), (2, 13)]
    for x, y in pts:
        c.set(x, y, "o")
        c.set(x + 1, y, "y")
    return c


def depend():
    c = Cell()
    c.box(1, 1, 6, 6, "l", "b")
    c.box(9, 9, 14, 14, "e", "G")
    for i in range(6, 10):
        c.set(i, i, "k")
    return c


def foreign_key():
    c = Cell()
    c.box(1, 5, 6, 10, "Y", "o")
    c.hline(7, 14, 7, "o")
    c.hline(7, 14, 8, "o")
    c.vline(12, 9, 11, "o")
    c.vline(14, 9, 12, "o")
    return c


def constraint():
    c = Cell()
    c.box(2, 2, 13, 13, "w", "r")
    for i in range(4, 12):
        c.set(i, 15 - i, "r")
    return c


def unused():
    return Cell()


def column():
    c = Cell()
    c.box(5, 1, 10, 14, "l", "b")
    c.hline(6, 9, 2, "b")
    return c


def main():
    cells = [server(), database(), table(), folder(), view(), procedure(), xprocedure(), function(), index(),
             trigger(), depend(), foreign_key(), constraint(), unused(), column()]
    assert len(cells) == N
    out = ["// The object tree's pictures, 15 of 16 x 16 (drawn by tools/images/objtree_pictures.py);",
           "// white is the key colour.",
           "image %d %d" % (W * N, H), "bits 8", "palette"]
    out += ["%s %s" % (k, v) for k, v in PALETTE]
    out.append("pixels")
    for y in range(H):
        out.append("".join("".join(cell.px[y]) for cell in cells))
    with open("resources/images/ObjectTree.pix", "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
