#!/usr/bin/env python3
"""Draws the edit-mode grid's toolbar (new row, save, delete, the four moves,
Go To, the four exports, refresh) into resources/images/EditModeBar.pix,
reusing the main window's toolbar pictures where they are the same.

Run from the source tree's root:  python3 tools/images/edit_mode_pictures.py
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import toolbar_pictures as tp  # noqa: E402


def new_record(c):
    # A grid with a green plus over its last row.
    tp.grid(c, 0, 1, 11, 12)
    c.fill(12, 9, 12, 15, "G")
    c.fill(9, 12, 15, 12, "G")


def delete_record(c):
    tp.cross(c, 2, 2, size=11, colour="r")


def refresh(c):
    # Two arrows chasing each other round a circle.
    c.rows(2, 2, ["....GGGG....",
                  "..GG....GG..",
                  ".G........GG",
                  ".G.......GGG",
                  "G...........",
                  "G...........",
                  "...........G",
                  "...........G",
                  "GGG.......G.",
                  "GG........G.",
                  "..GG....GG..",
                  "....GGGG...."])


PICTURES = [new_record, tp.save, delete_record, tp.first_row, tp.next_row, tp.previous_row, tp.last_row,
            tp.go_to_row, tp.save_to_text, tp.save_to_html, tp.save_to_excel, tp.save_to_xml, refresh]


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    tp.write("EditModeBar.pix", "The edit-mode grid's toolbar", PICTURES, os.path.join(root, "resources", "images"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
