#!/usr/bin/env python3
"""Draws the pictures of the main window's five toolbars and writes them as
.pix strips (one cell per button, in the order of the toolbar resources).

Run from the source tree's root:  python3 tools/images/toolbar_pictures.py
The strips land in resources/images/. Every picture is drawn here from
lines, boxes and a few hand-set pixels; nothing is taken from elsewhere.
"""

import os
import sys

W, H = 16, 16

# One letter per colour. 'm' is the background: the classic light grey that
# loading maps to the button face, so the bar shows through around a picture.
PALETTE = [
    ("m", "#c0c0c0"),
    ("k", "#202020"),  # outlines
    ("w", "#ffffff"),
    ("g", "#c8c8c8"),  # light grey
    ("s", "#808080"),  # dark grey
    ("b", "#2060c0"),  # blue
    ("l", "#90b8ec"),  # light blue
    ("d", "#183c80"),  # dark blue
    ("G", "#209040"),  # green
    ("r", "#d02828"),  # red
    ("y", "#f0c830"),  # yellow
    ("o", "#e07818"),  # orange
    ("n", "#986030"),  # brown
    ("p", "#fff4c8"),  # paper cream
    ("c", "#28a0b0"),  # teal
    ("e", "#70c070"),  # light green
]


class Cell:
    def __init__(self):
        self.px = [["m"] * W for _ in range(H)]

    def dot(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def box(self, x0, y0, x1, y1, edge, inside=None):
        if inside:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside)
        self.line(x0, y0, x1, y0, edge)
        self.line(x0, y1, x1, y1, edge)
        self.line(x0, y0, x0, y1, edge)
        self.line(x1, y0, x1, y1, edge)

    def rows(self, x, y, lines):
        """Hand-set pixels: one string per row, '.' leaves the pixel alone."""
        for j, row in enumerate(lines):
            for i, ch in enumerate(row):
                if ch != ".":
                    self.dot(x + i, y + j, ch)

    def triangle_right(self, x, y, h, c):
        """A solid triangle pointing right, its flat side at x, h rows high (odd)."""
        half = h // 2
        for j in range(h):
            width = half - abs(j - half)
            self.line(x, y + j, x + width, y + j, c)

    def triangle_left(self, x, y, h, c):
        half = h // 2
        for j in range(h):
            width = half - abs(j - half)
            self.line(x, y + j, x - width, y + j, c)


# --- shared parts ---------------------------------------------------------------------------------

def page(c, x0=2, y0=0, x1=12, y1=15, fold=3, paper="w"):
    """A sheet of paper with its top-right corner folded."""
    c.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, paper)
    c.line(x0, y0, x1 - fold, y0, "k")
    c.line(x0, y0, x0, y1, "k")
    c.line(x0, y1, x1, y1, "k")
    c.line(x1, y0 + fold, x1, y1, "k")
    c.line(x1 - fold, y0, x1, y0 + fold, "k")
    c.line(x1 - fold, y0, x1 - fold, y0 + fold, "s")
    c.line(x1 - fold, y0 + fold, x1, y0 + fold, "s")
    for i in range(1, fold):
        c.line(x1 - fold + i, y0 + i, x1 - 1, y0 + i, "m")
        c.dot(x1 - fold + i, y0 + i, "k")


def text_lines(c, x0, x1, ys, colour="s"):
    for y in ys:
        c.line(x0, y, x1, y, colour)


def cylinder(c, x0=2, y0=1, x1=12, y1=14, body="l", top="w"):
    """A database drum."""
    c.fill(x0 + 1, y0 + 2, x1 - 1, y1 - 1, body)
    c.line(x0, y0 + 1, x0, y1 - 1, "k")
    c.line(x1, y0 + 1, x1, y1 - 1, "k")
    c.line(x0 + 2, y0, x1 - 2, y0, "k")
    c.dot(x0 + 1, y0 + 1, "k")
    c.dot(x1 - 1, y0 + 1, "k")
    c.fill(x0 + 2, y0 + 1, x1 - 2, y0 + 2, top)
    c.line(x0 + 1, y0 + 2, x0 + 1, y0 + 2, top)
    c.line(x0 + 2, y0 + 3, x1 - 2, y0 + 3, "k")
    c.dot(x0 + 1, y0 + 2, "k")
    c.dot(x1 - 1, y0 + 2, "k")
    c.line(x0 + 2, y1, x1 - 2, y1, "k")
    c.dot(x0 + 1, y1 - 1, "k")
    c.dot(x1 - 1, y1 - 1, "k")
    c.line(x0 + 1, y1 - 1, x1 - 1, y1 - 1, body)
    c.dot(x0 + 1, y1 - 1, "k")
    c.dot(x1 - 1, y1 - 1, "k")
    c.line(x0 + 2, y0 + 4, x0 + 2, y1 - 3, "w")


def bookmark(c, x=1, y=2, colour="c"):
    """A ribbon bookmark, 6 wide, 11 high, notched at the bottom."""
    c.fill(x + 1, y + 1, x + 5, y + 10, colour)
    c.line(x, y, x + 6, y, "k")
    c.line(x, y, x, y + 11, "k")
    c.line(x + 6, y, x + 6, y + 11, "k")
    c.line(x, y + 11, x + 3, y + 8, "k")
    c.line(x + 6, y + 11, x + 3, y + 8, "k")
    c.dot(x + 3, y + 9, "m")
    c.dot(x + 3, y + 10, "m")
    c.dot(x + 2, y + 10, "m")
    c.dot(x + 4, y + 10, "m")
    c.line(x + 1, y + 1, x + 1, y + 8, "w")


def arrow_right(c, x, y, colour="G", length=6):
    """A right arrow whose tip is at (x + length, y)."""
    c.line(x, y, x + length - 2, y, colour)
    c.line(x, y - 1, x + length - 3, y - 1, colour)
    c.line(x, y + 1, x + length - 3, y + 1, colour)
    c.triangle_right(x + length - 3, y - 3, 7, colour)


def arrow_left(c, x, y, colour="G", length=6):
    """A left arrow whose tip is at (x - length, y)."""
    c.line(x, y, x - length + 2, y, colour)
    c.line(x, y - 1, x - length + 3, y - 1, colour)
    c.line(x, y + 1, x - length + 3, y + 1, colour)
    c.triangle_left(x - length + 3, y - 3, 7, colour)


def cross(c, x, y, size=4, colour="r"):
    """A thick X with its top-left corner at (x, y)."""
    for i in range(size + 1):
        c.dot(x + i, y + i, colour)
        c.dot(x + i + 1, y + i, colour)
        c.dot(x + size - i, y + i, colour)
        c.dot(x + size - i + 1, y + i, colour)


def check(c, x, y, colour="G"):
    """A thick tick mark, 7 wide and 6 high, from (x, y) top-left."""
    pts = [(0, 3), (1, 4), (2, 5), (3, 4), (4, 3), (5, 2), (6, 1), (7, 0)]
    for dx, dy in pts:
        c.dot(x + dx, y + dy, colour)
        c.dot(x + dx, y + dy + 1, colour)


def plug(c, x, y, colour="s", facing_right=True):
    """A mains plug: a body 5x6 with two prongs of 3 pixels."""
    c.box(x, y, x + 4, y + 5, "k", colour)
    if facing_right:
        c.line(x + 5, y + 1, x + 7, y + 1, "k")
        c.line(x + 5, y + 4, x + 7, y + 4, "k")
        c.line(x - 3, y + 2, x - 1, y + 2, "k")
        c.line(x - 3, y + 3, x - 1, y + 3, "k")
    else:
        c.line(x - 3, y + 1, x - 1, y + 1, "k")
        c.line(x - 3, y + 4, x - 1, y + 4, "k")
        c.line(x + 5, y + 2, x + 7, y + 2, "k")
        c.line(x + 5, y + 3, x + 7, y + 3, "k")


def socket(c, x, y, colour="g"):
    """The socket a plug goes into: a body with two holes on its left."""
    c.box(x, y, x + 4, y + 5, "k", colour)
    c.dot(x, y + 1, "s")
    c.dot(x, y + 4, "s")
    c.line(x + 5, y + 2, x + 7, y + 2, "k")
    c.line(x + 5, y + 3, x + 7, y + 3, "k")


# --- the Standard toolbar (131) ---------------------------------------------------------------------

def new_query(c):
    page(c)
    text_lines(c, 4, 9, [6, 8, 10, 12])
    # A spark in the corner: a new one.
    c.rows(10, 0, ["..y..", ".yyy.", "yyyyy", ".yyy.", "..y.."])


def open_file(c):
    # The back of the folder, a sheet in it, and its front flap.
    c.rows(0, 3, [".kkkk..........",
                  "kyyyyk.........",
                  "kyyyyykkkkkkk..",
                  "kyywwwwwwwwwyk.",
                  "kyywwwwwwwwwyk.",
                  "kykkkkkkkkkkkkk",
                  "kykyyyyyyyyyyyk",
                  "kkyyyyyyyyyyyk.",
                  "kkyyyyyyyyyyyk.",
                  "kyyyyyyyyyyyk..",
                  "kkkkkkkkkkkkk.."])
    c.line(6, 10, 13, 10, "o")
    c.line(5, 11, 12, 11, "o")


def save(c):
    c.box(1, 1, 14, 14, "k", "b")
    c.fill(4, 2, 11, 7, "w")
    text_lines(c, 5, 10, [4, 6])
    c.fill(4, 10, 11, 13, "g")
    c.fill(8, 11, 9, 12, "d")
    c.dot(14, 1, "m")


def cut(c):
    c.rows(0, 0, ["....k.....k.....",
                  "....k.....k.....",
                  "....sk...ks.....",
                  ".....k...k......",
                  ".....sk.ks......",
                  "......k.k.......",
                  "......sks.......",
                  ".......k........",
                  "......rkr.......",
                  ".....rr.rr......",
                  "..rrrr...rrrr...",
                  ".r...r...r...r..",
                  "r....r...r....r.",
                  "r....r...r....r.",
                  ".r..r.....r..r..",
                  "..rr.......rr..."])


def copy(c):
    page(c, 0, 0, 9, 11, 2)
    text_lines(c, 2, 6, [4, 6, 8])
    page(c, 5, 4, 14, 15, 2)
    text_lines(c, 7, 11, [8, 10, 12])


def paste(c):
    c.box(1, 2, 12, 15, "k", "n")
    c.box(4, 0, 9, 3, "k", "g")
    c.fill(5, 1, 8, 2, "s")
    page(c, 6, 6, 15, 15, 2)
    text_lines(c, 8, 12, [10, 12])


def print_(c):
    c.box(3, 0, 12, 6, "k", "w")
    text_lines(c, 5, 10, [2, 4])
    c.box(0, 6, 15, 12, "k", "g")
    c.line(1, 7, 14, 7, "w")
    c.dot(12, 9, "G")
    c.dot(13, 9, "G")
    c.box(3, 11, 12, 15, "k", "w")
    c.line(5, 13, 10, 13, "s")


def help_contents(c):
    # A closed blue book with a question mark on its cover.
    c.box(2, 0, 13, 15, "k", "b")
    c.line(3, 14, 13, 14, "w")
    c.line(4, 1, 4, 13, "d")
    c.rows(6, 3, [".www.",
                  "ww.ww",
                  "...ww",
                  "..ww.",
                  "..w..",
                  ".....",
                  "..w.."])


# --- the Edit toolbar (136) -------------------------------------------------------------------------

def bookmark_toggle(c):
    c.box(6, 1, 15, 14, "s", "w")
    text_lines(c, 9, 13, [4, 6, 8, 10, 12])
    bookmark(c, 1, 2)


def bookmark_next(c):
    bookmark(c, 0, 2)
    arrow_right(c, 8, 8, "b", 7)


def bookmark_previous(c):
    bookmark(c, 9, 2)
    arrow_left(c, 7, 8, "b", 7)


def bookmark_clear_all(c):
    bookmark(c, 0, 1)
    bookmark(c, 4, 3)
    cross(c, 9, 9, 5)


def indented_lines(c, indent):
    for y in (2, 6, 10, 14):
        c.line(0, y, 15, y, "s")
    for y in (4, 8, 12):
        c.line(indent, y, 15, y, "k")


def tabify(c):
    # Lines of text, the middle ones pushed right by an arrow.
    for y in (1, 14):
        c.line(0, y, 15, y, "s")
    for y in (4, 7, 10):
        c.line(8, y, 15, y, "k")
    arrow_right(c, 0, 7, "b", 6)


def untabify(c):
    for y in (1, 14):
        c.line(0, y, 15, y, "s")
    for y in (4, 7, 10):
        c.line(0, y, 7, y, "k")
    arrow_left(c, 15, 7, "b", 6)


def comment(c):
    page(c, 4, 0, 15, 15, 3)
    text_lines(c, 6, 12, [6, 9, 12])
    # Two dashes: the statement's comment mark.
    c.fill(0, 7, 2, 8, "G")
    c.fill(0, 10, 2, 11, "G")
    c.fill(0, 4, 2, 5, "G")


def uncomment(c):
    page(c, 4, 0, 15, 15, 3)
    text_lines(c, 6, 12, [6, 9, 12])
    c.fill(0, 4, 2, 5, "G")
    c.fill(0, 7, 2, 8, "G")
    c.fill(0, 10, 2, 11, "G")
    cross(c, 0, 3, 3, "r")


def uppercase(c):
    c.rows(1, 1, ["....kk....",
                  "...kkkk...",
                  "...kk.kk..",
                  "..kk..kk..",
                  "..kk...kk.",
                  ".kk....kk.",
                  ".kkkkkkkk.",
                  ".kk.....kk",
                  "kk......kk",
                  "kk......kk"])
    c.rows(11, 3, ["..b..", ".bbb.", "b.b.b", "..b..", "..b..", "..b..", "..b.."])


def lowercase(c):
    c.rows(1, 5, [".kkkkk..",
                  "......kk",
                  "..kkkkkk",
                  ".kk...kk",
                  "kk....kk",
                  "kk...kkk",
                  ".kkkkk.k"])
    c.rows(11, 5, ["..b..", "..b..", "..b..", "..b..", "b.b.b", ".bbb.", "..b.."])


def read_only(c):
    # A padlock.
    c.rows(4, 0, [".kkkk.",
                  "kk..kk",
                  "k....k",
                  "k....k",
                  "k....k"])
    c.box(2, 5, 13, 15, "k", "y")
    c.line(3, 6, 12, 6, "w")
    c.fill(7, 8, 8, 12, "k")
    c.dot(6, 9, "k")
    c.dot(9, 9, "k")


def date(c):
    c.box(1, 1, 14, 15, "k", "w")
    c.fill(2, 2, 13, 4, "r")
    c.dot(4, 0, "k")
    c.dot(11, 0, "k")
    c.dot(4, 1, "s")
    c.dot(11, 1, "s")
    for y in (7, 10, 13):
        for x in (3, 6, 9, 12):
            c.fill(x, y, x + 1, y + 1, "s")
    c.fill(9, 10, 10, 11, "r")


def insert_description(c):
    page(c, 0, 0, 11, 15, 3)
    text_lines(c, 2, 8, [5, 7, 9])
    # A pen writing the last line.
    c.rows(8, 5, [".......k",
                  "......kyk",
                  ".....kyk.",
                  "....kyk..",
                  "...kyk...",
                  "..kyk....",
                  ".kpk.....",
                  ".kk......",
                  "k........"])
    c.line(2, 12, 6, 12, "b")


# --- the Query toolbar (137) ------------------------------------------------------------------------

def select_database(c):
    cylinder(c, 1, 1, 13, 15)


def small_cylinder(c):
    cylinder(c, 0, 3, 9, 15)


def begin_transaction(c):
    small_cylinder(c)
    c.fill(11, 1, 12, 8, "G")
    c.fill(8, 4, 15, 5, "G")


def commit_transaction(c):
    small_cylinder(c)
    check(c, 8, 1)


def rollback_transaction(c):
    small_cylinder(c)
    # A curved arrow turning back to the left.
    c.rows(7, 0, ["..r.....",
                  ".rr.....",
                  "rrrrrrr.",
                  ".rr....r",
                  "..r....r",
                  ".......r",
                  "......r.",
                  "....rr.."])


def parse(c):
    page(c, 0, 0, 11, 15, 3)
    text_lines(c, 2, 8, [5, 7, 9, 11])
    check(c, 7, 8, "b")


def execute(c):
    c.triangle_right(4, 1, 15, "k")
    c.triangle_right(5, 3, 11, "G")
    c.line(5, 4, 5, 12, "e")


def cancel(c):
    c.box(2, 2, 13, 13, "k", "r")
    c.line(3, 3, 12, 3, "w")
    c.line(3, 3, 3, 12, "w")


def pause(c):
    c.box(3, 2, 6, 13, "k", "b")
    c.box(9, 2, 12, 13, "k", "b")
    c.line(4, 3, 4, 12, "l")
    c.line(10, 3, 10, 12, "l")


# --- the Session toolbar (138) ----------------------------------------------------------------------

def connect(c):
    c.line(0, 7, 2, 7, "k")
    c.line(0, 8, 2, 8, "k")
    plug(c, 3, 5, "y")
    socket(c, 8, 5, "g")
    c.line(13, 7, 15, 7, "k")
    c.line(13, 8, 15, 8, "k")
    c.fill(6, 1, 9, 2, "G")


def disconnect(c):
    c.line(0, 7, 1, 7, "k")
    c.line(0, 8, 1, 8, "k")
    plug(c, 2, 5, "y")
    socket(c, 11, 5, "g")
    # Apart: a red cross in the gap.
    c.rows(6, 0, ["r..r", "rrrr", ".rr.", "rrrr", "r..r"])


def disconnect_all(c):
    for y in (1, 9):
        c.line(0, y + 2, 1, y + 2, "k")
        c.line(0, y + 3, 1, y + 3, "k")
        plug(c, 2, y, "y")
        socket(c, 11, y, "g")
    cross(c, 8, 5, 3)


def user_configuration(c):
    # A person: head and shoulders.
    c.rows(4, 0, ["..kkkk..",
                  ".knnnnk.",
                  "knppppnk",
                  "kppppppk",
                  "kppppppk",
                  ".kppppk.",
                  "..kppk.."])
    c.rows(1, 7, ["....kkkkkk....",
                  "..kkbbbbbbkk..",
                  ".kbbbbwwbbbbk.",
                  "kbbbbbwwbbbbbk",
                  "kbbbbbbbbbbbbk",
                  "kbbbbbbbbbbbbk",
                  "kbbbbbbbbbbbbk",
                  "kkkkkkkkkkkkkk"])


def session_properties(c):
    page(c, 0, 0, 10, 15, 3)
    text_lines(c, 2, 6, [5, 7, 9])
    # A cog wheel.
    c.rows(6, 6, ["...kk....",
                  ".k.kk.k..",
                  "..kssk...",
                  "kkswwskk.",
                  "kkswwskk.",
                  "..kssk...",
                  ".k.kk.k..",
                  "...kk...."])


def first_row(c):
    c.fill(2, 3, 3, 12, "k")
    c.triangle_left(11, 2, 11, "b")
    c.triangle_left(12, 3, 9, "b")


def next_row(c):
    c.triangle_right(5, 3, 9, "b")


def previous_row(c):
    c.triangle_left(10, 3, 9, "b")


def last_row(c):
    c.fill(12, 3, 13, 12, "k")
    c.triangle_right(4, 2, 11, "b")
    c.triangle_right(3, 3, 9, "b")


def grid(c, x0, y0, x1, y1, head="l"):
    c.box(x0, y0, x1, y1, "s", "w")
    c.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 2, head)
    for y in range(y0 + 3, y1, 3):
        c.line(x0 + 1, y, x1 - 1, y, "g")
    for x in range(x0 + 4, x1, 4):
        c.line(x, y0 + 1, x, y1 - 1, "g")


def go_to_row(c):
    grid(c, 4, 0, 15, 15)
    c.fill(5, 7, 14, 8, "y")
    arrow_right(c, 0, 8, "r", 5)


def save_to_text(c):
    page(c)
    text_lines(c, 4, 10, [4, 6, 8, 10, 12], "k")


def save_to_html(c):
    page(c)
    # Angle brackets: a marked-up page.
    c.rows(3, 5, ["...b...b..",
                  "..b.....b.",
                  ".b.......b",
                  "..b.....b.",
                  "...b...b.."])
    c.rows(3, 5, ["...bb..bb.",
                  "..bb....bb",
                  ".bb......b",
                  "..bb....bb",
                  "...bb..bb."])
    c.fill(3, 12, 10, 12, "b")


def save_to_excel(c):
    grid(c, 0, 1, 13, 14, "e")
    c.rows(7, 6, ["G...G", ".G.G.", "..G..", ".G.G.", "G...G"])


def save_to_xml(c):
    page(c)
    # Angle brackets round a slash: a tagged file.
    c.rows(3, 4, ["..o.....o.",
                  ".oo....oo.",
                  "oo....o.oo",
                  ".oo..o..oo",
                  "..o.o...o.",
                  "....o....."])
    c.fill(3, 12, 10, 12, "o")


# The edit-mode view's toolbar (resource 141): rows of the edited table.
def new_record(c):
    grid(c, 0, 3, 11, 15)
    c.fill(1, 13, 10, 14, "y")
    c.fill(12, 0, 13, 6, "G")
    c.fill(10, 2, 15, 3, "G")


def delete_record(c):
    grid(c, 0, 3, 11, 15)
    cross(c, 7, 0, 6, "r")


def refresh(c):
    c.rows(2, 1, ["....kkkkk...",
                  "..kk.....kk.",
                  ".k.........k",
                  ".k..........",
                  "k...........",
                  "k...........",
                  "k...........",
                  "k..........k",
                  "...........k",
                  "...........k",
                  "..........k.",
                  "k.........k.",
                  ".kk.....kk..",
                  "...kkkkk...."])
    c.triangle_right(10, 0, 7, "G")
    c.triangle_left(0, 8, 7, "G")


TOOLBARS = {
    "Standard.pix": ("The Standard toolbar", [
        new_query, open_file, save, cut, copy, paste, print_, help_contents]),
    "EditBar.pix": ("The Edit toolbar", [
        bookmark_toggle, bookmark_next, bookmark_previous, bookmark_clear_all, tabify, untabify, comment,
        uncomment, uppercase, lowercase, read_only, date, insert_description]),
    "QueryBar.pix": ("The Query toolbar", [
        select_database, begin_transaction, commit_transaction, rollback_transaction, parse, execute, cancel,
        pause]),
    "SessionBar.pix": ("The Session toolbar", [
        connect, disconnect, disconnect_all, user_configuration, session_properties]),
    "ResultBar.pix": ("The Result toolbar", [
        first_row, next_row, previous_row, last_row, go_to_row, save_to_text, save_to_html, save_to_excel,
        save_to_xml]),
    "EditModeBar.pix": ("The edit-mode view's toolbar", [
        new_record, save, delete_record, first_row, next_row, previous_row, last_row, go_to_row, save_to_text,
        save_to_html, save_to_excel, save_to_xml, refresh]),
}


def strip(pictures):
    cells = []
    for draw in pictures:
        cell = Cell()
        draw(cell)
        cells.append(cell)
    return ["".join("".join(cell.px[y]) for cell in cells) for y in range(H)]


def write(name, title, pictures, folder):
    rows = strip(pictures)
    with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
        out.write("// %s: %d buttons of %d x %d, drawn by tools/images/toolbar_pictures.py;\n"
                  "// 'm' is the background, shown as the button face.\n" % (title, len(pictures), W, H))
        out.write("image %d %d\nbits 4\npalette\n" % (W * len(pictures), H))
        for key, colour in PALETTE:
            out.write("%s %s\n" % (key, colour))
        out.write("pixels\n")
        for row in rows:
            out.write(row + "\n")


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = os.path.join(root, "resources", "images")
    for name, (title, pictures) in TOOLBARS.items():
        write(name, title, pictures, folder)
    return 0


if __name__ == "__main__":
    sys.exit(main())
