#!/usr/bin/env python3
"""Draws the three icons of a query window's editor tabs (Command, Batch,
Edit-Mode, in that order) and writes them as one .pix strip, bitmap 613.

Run from the source tree's root:  python3 tools/images/query_tab_pictures.py
The tab strip loads the images with white as the mask colour, so the
background here is pure white and nothing drawn uses it: the paper white of
the shared parts is a shade off white.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import toolbar_pictures as tp  # noqa: E402

# The toolbar palette with the background made the mask colour.
PALETTE = [(key, "#ffffff" if key == "m" else ("#f4f4f4" if key == "w" else colour))
           for key, colour in tp.PALETTE]


def command(c):
    """A console window: a title bar, a dark screen and a prompt."""
    c.box(0, 1, 15, 14, "k", "d")
    c.fill(1, 2, 14, 3, "b")
    c.rows(2, 6, ["w...",
                  ".w..",
                  "..w.",
                  ".w..",
                  "w..."])
    c.line(7, 10, 11, 10, "w")


def batch(c):
    """A script: a page of lines, one of them a highlighted statement."""
    tp.page(c, 1, 0, 13, 15, 3)
    tp.text_lines(c, 3, 9, [4, 6], "s")
    tp.text_lines(c, 3, 10, [8, 10], "b")
    tp.text_lines(c, 3, 7, [12], "s")


def edit_mode(c):
    """A table of rows with a pen writing into it."""
    tp.grid(c, 0, 2, 12, 14)
    c.fill(1, 6, 11, 7, "y")
    c.rows(8, 0, ["......kk",
                  ".....kok",
                  "....kok.",
                  "...kok..",
                  "..kok...",
                  ".kpk....",
                  ".kk.....",
                  "k......."])


PICTURES = [command, batch, edit_mode]


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.path.join(root, "resources", "images", "QueryTabs.pix")
    rows = tp.strip(PICTURES)
    with open(path, "w", encoding="utf-8") as out:
        out.write("// The query window's editor tabs: Command, Batch, Edit-Mode, %d x %d each,\n"
                  "// drawn by tools/images/query_tab_pictures.py; 'm' (white) is the mask.\n" % (tp.W, tp.H))
        out.write("image %d %d\nbits 4\npalette\n" % (tp.W * len(PICTURES), tp.H))
        for key, colour in PALETTE:
            out.write("%s %s\n" % (key, colour))
        out.write("pixels\n")
        for row in rows:
            out.write(row + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
