#!/usr/bin/env python3
"""Draws the kit's small bitmaps and cursors as BMP and CUR files.

The pictures are kept as text here so they can be read and changed; run this
script after changing one and commit the files it writes. Bitmaps use their
lower-left pixel as the transparent colour, as the controls that draw them
expect.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Characters of the bitmap drawings and their colours (R, G, B).
PALETTE = {
    '.': (255, 0, 255),   # transparent
    'k': (0, 0, 0),
    'g': (128, 128, 128),
    'y': (255, 255, 0),
    'o': (128, 128, 0),
    'b': (0, 0, 128),
    'w': (255, 255, 255),
    's': (192, 192, 192),
}

# The file-name edit's browse glyph: an open folder.
FEDITBMP = [
    "...............",
    "..........kkk..",
    ".........k...kk",
    "..kkkk.......k.",
    ".kywyyk.....kk.",
    ".kwyyykkkkk....",
    ".kyyykkkkkkkkk.",
    ".kyykoooooooook",
    ".kykoooooooook.",
    ".kkoooooooook..",
    ".kkkkkkkkkkk...",
    "...............",
]

# The font list's marks: two overlapping T's for TrueType, a printer for
# device fonts.
TRUETYPE_FNT = [
    "...............",
    "gggggggg.......",
    "g..gg..g.......",
    "...gg..........",
    "...gg.bbbbbbbb.",
    "...gg.b..bb..b.",
    "..gggg...bb....",
    ".........bb....",
    ".........bb....",
    "........bbbb...",
    "...............",
]

DEVICE_FNT = [
    "...............",
    "....wwwwwww....",
    "....wkkkkkw....",
    "....wwwwwww....",
    ".kkkkkkkkkkkkk.",
    ".ksssssssssssk.",
    ".ksssssssssyyk.",
    ".kgggggggggggk.",
    ".kkkkkkkkkkkkk.",
    "..kwwwwwwwwwk..",
    "...............",
]

# Cursors: 'k' black, 'w' white, '.' transparent, '~' inverted; '*' marks
# the hot spot (drawn black).
HAND = [
    ".....kk.........",
    "....kwwk........",
    "....kwwk........",
    "....kwwk........",
    "....kwwkkk......",
    "....kwwkwwkkk...",
    "....kwwkwwkwwkk.",
    ".kk.kwwkwwkwwkwk",
    "kwwkkwwwwwwwwkwk",
    "kwwwkwwwwwwwwwwk",
    ".kwwwwwwwwwwwwwk",
    "..kwwwwwwwwwwwwk",
    "..kwwwwwwwwwwwk.",
    "...kwwwwwwwwwwk.",
    "....kwwwwwwwwk..",
    ".....kwwwwwwwk..",
    ".....kkkkkkkkk..",
]

DRAG = [
    "k...............",
    "kk..............",
    "kwk.............",
    "kwwk............",
    "kwwwk...........",
    "kwwwwk..........",
    "kwwwwwk.........",
    "kwwwwwwk........",
    "kwwwwkkkk.......",
    "kwkwwk..........",
    "kk.kwwk.........",
    "...kwwkkkkkkkk..",
    "....kkkwwwwwwk..",
    "......kwwwwwwk..",
    "......kwwwwwwk..",
    "......kwwwwwwk..",
    "......kkkkkkkk..",
]

# The tool bars' button glyphs, 16 x 16 each, in one strip (BARGLYPHS) in
# this order; the main window's buttons name their glyph by this order.
BAR_GLYPHS = {
    'new': [
        "................",
        "...kkkkkkkk.....",
        "...kwwwwwwkk....",
        "...kwwwwwwkwk...",
        "...kwwwwwwkkkk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kwwwwwwwwwk..",
        "...kkkkkkkkkkk..",
        "................",
    ],
    'open': [
        "................",
        "................",
        "..........kkk...",
        ".........k...k.k",
        "..............kk",
        ".kkk.........kkk",
        "kyyykkkkkkk.....",
        "kywyyyyyyyk.....",
        "kyyykkkkkkkkkkk.",
        "kyykoooooooooook",
        "kykooooooooook..",
        "kykoooooooook...",
        "kkoooooooook....",
        "kkkkkkkkkkk.....",
        "................",
        "................",
    ],
    'save': [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbkssskkkkbbk.",
        ".kbbkssskkkkbbk.",
        ".kbbkssskkkkbbk.",
        "..kbkkkkkkkkbbk.",
        "...kkkkkkkkkkkk.",
        "................",
        "................",
    ],
    'close': [
        "................",
        "................",
        "..kk........kk..",
        "..kkk......kkk..",
        "...kkk....kkk...",
        "....kkk..kkk....",
        ".....kkkkkk.....",
        "......kkkk......",
        "......kkkk......",
        ".....kkkkkk.....",
        "....kkk..kkk....",
        "...kkk....kkk...",
        "..kkk......kkk..",
        "..kk........kk..",
        "................",
        "................",
    ],
    'reload': [
        "................",
        "................",
        ".....kkkkk......",
        "...kk.....kk.k..",
        "..k.........kk..",
        "..k........kkk..",
        ".k..............",
        ".k..............",
        ".k.............k",
        ".k.............k",
        "..kkk.........k.",
        "..kk.........k..",
        "..k.kk.....kk...",
        "......kkkkk.....",
        "................",
        "................",
    ],
    'undo': [
        "................",
        "................",
        "................",
        "....k...........",
        "...kk...........",
        "..kkkkkkkkk.....",
        ".kkkkkkkkkkkk...",
        "..kkkkkkkkkkkk..",
        "...kk......kkk..",
        "....k.......kk..",
        "............kk..",
        "...........kk...",
        "..........kk....",
        "................",
        "................",
        "................",
    ],
    'cut': [
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kkk.......",
        "......kbk.......",
        "....bbb.bbb.....",
        "...b..b.b..b....",
        "...b..b.b..b....",
        "...b..b.b..b....",
        "....bb...bb.....",
        "................",
        "................",
    ],
    'copy': [
        "................",
        "kkkkkk..........",
        "kwwwwkk.........",
        "kwkkwkwk........",
        "kwwwwkkkkkkk....",
        "kwkkkkwwwwwkk...",
        "kwwwkwwwwwwkwk..",
        "kwkkkwkkkkwkkkk.",
        "kwwwkwwwwwwwwwk.",
        "kkkkkwkkkkkkkwk.",
        ".....wwwwwwwwwk.",
        ".....wkkkkkkkwk.",
        ".....kwwwwwwwwk.",
        ".....kkkkkkkkkk.",
        "................",
        "................",
    ],
    'paste': [
        "................",
        ".....kkkk.......",
        ".kkkkyyyykkkk...",
        "kookykkkkykook..",
        "koookkkkkkoook..",
        "kooookkkkkkkkk..",
        "koooookwwwwwwkk.",
        "koooookwkkkkwkwk",
        "koooookwwwwwwkkk",
        "koooookwkkkkkwwk",
        "koooookwwwwwwwwk",
        "koooookwkkkkkkwk",
        ".kkkkkkwwwwwwwwk",
        "......kkkkkkkkkk",
        "................",
        "................",
    ],
    'find': [
        "................",
        "................",
        "...kkkk.........",
        "..kwwwwk........",
        ".kwwsswwk.......",
        ".kwswwwwk.......",
        ".kwswwwwk.......",
        ".kwwwwwwk.......",
        "..kwwwwk........",
        "...kkkkkk.......",
        ".......kkk......",
        "........kkk.....",
        ".........kkk....",
        "..........kk....",
        "................",
        "................",
    ],
    'replace': [
        "................",
        "..kkkk..........",
        ".kwwwwk.........",
        "kwwsswwk........",
        "kwswwwwk........",
        "kwwwwwwk........",
        ".kwwwwk.........",
        "..kkkkkk........",
        "......kkk.......",
        ".......kk.bbbbbb",
        "..........b....b",
        "..........b.bb.b",
        "..........b....b",
        "..........b.bb.b",
        "..........bbbbbb",
        "................",
    ],
    'bookmark': [
        "................",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbwwwwwwbb...",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbbbbbbbbb...",
        "...bbbb..bbbb...",
        "...bbb....bbb...",
        "...bb......bb...",
        "...b........b...",
        "................",
    ],
    'next': [
        "................",
        "................",
        "................",
        "........k.......",
        "........kk......",
        "........kkk.....",
        "..kkkkkkkkkk....",
        "..kkkkkkkkkkk...",
        "..kkkkkkkkkk....",
        "........kkk.....",
        "........kk......",
        "........k.......",
        "................",
        "................",
        "................",
        "................",
    ],
    'wrap': [
        "................",
        "................",
        ".kkkkkkkkkkkk...",
        "................",
        ".kkkkkkkkkkkkk..",
        "..............k.",
        "..............k.",
        ".kkkkkkkk...kk..",
        "........k.kk....",
        "........kk......",
        "........k.kk....",
        "............kk..",
        ".kkkkkkk........",
        "................",
        "................",
        "................",
    ],
    'case': [
        "................",
        "................",
        "...kk...........",
        "..k..k..........",
        "..k..k..........",
        "..kkkk.....kk...",
        "..k..k....k..k..",
        "..k..k.......k..",
        "..k..k.....kkk..",
        "..........k..k..",
        "..........k..k..",
        "...........kk.k.",
        "................",
        "................",
        "................",
        "................",
    ],
    'binary': [
        "................",
        "................",
        "..k...kkk...k...",
        ".kk..k...k.kk...",
        "..k..k...k..k...",
        "..k..k...k..k...",
        "..k...kkk...k...",
        "................",
        ".kkk...k...kkk..",
        "k...k.kk..k...k.",
        "k...k..k..k...k.",
        "k...k..k..k...k.",
        ".kkk...k...kkk..",
        "................",
        "................",
        "................",
    ],
    'html': [
        "................",
        "....bbbbbbbb....",
        "...bbwwbbbbbb...",
        "..bwwwwbbggbbb..",
        ".bbwwwbbbgggbbb.",
        ".bwwwwwbbbggbbb.",
        ".bbwwwbbbbbbbbb.",
        ".bbbwbbbbwwwbbb.",
        ".bbbbbbbwwwwwbb.",
        ".bbbbbbbbwwwwbb.",
        ".bbbbbbbbbwwwbb.",
        "..bbbbbbbbbwbb..",
        "...bbbbbbbbbb...",
        "....bbbbbbbb....",
        "................",
        "................",
    ],
    'options': [
        "................",
        "................",
        "......kkkk......",
        "...k..kssk..k...",
        "..kskkkssskksk..",
        "...ksssssssssk..",
        "...kssskkksssk..",
        ".kkssskk.kkssskk",
        ".ksssk....ksssk.",
        ".kkssskk.kkssskk",
        "...kssskkksssk..",
        "...ksssssssssk..",
        "..kskkkssskksk..",
        "...k..kssk..k...",
        "......kkkk......",
        "................",
    ],
    'insert': [
        "................",
        "...kkkkkkk......",
        "...kwwwwwkk.....",
        "...kwkkkwkwk....",
        "...kwwwwwkkkk...",
        "...kwkkkkkwwk...",
        "...kwwwwwwwwk...",
        "...kwkkkkkkwk...",
        "...kwwwwwwwwk...",
        "...kkkkkkkkkk...",
        "........k.......",
        "......kkkkk.....",
        ".......kkk......",
        "........k.......",
        "................",
        "................",
    ],
    'rollup': [
        "................",
        "................",
        ".bbbbbbbbbbbbbb.",
        ".bwbbbbbbbbbbbb.",
        ".bbbbbbbbbbbbbb.",
        ".kyyyyyyyyyyyyk.",
        ".kykkkkkkkkkyyk.",
        ".kyyyyyyyyyyyyk.",
        ".kykkkkkkyyyyyk.",
        ".kyyyyyyyyyyyyk.",
        ".kykkkkkkkkyyyk.",
        ".kyyyyyyyyyyyyk.",
        ".kkkkkkkkkkkkkk.",
        "................",
        "................",
        "................",
    ],
}

# The strip's order: the main window's buttons refer to their glyph by its
# place here (kBarGlyph* in MainFormBars.cpp follow it).
BAR_GLYPH_ORDER = ['new', 'open', 'save', 'close', 'reload', 'undo', 'redo', 'cut', 'copy', 'paste', 'find',
                   'replace', 'bookmark', 'previous', 'next', 'wrap', 'case', 'binary', 'html', 'options',
                   'insert', 'rollup']


def mirror(rows):
    return [row[::-1] for row in rows]


def write_bmp(name, rows):
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for ch in row:
            r, g, b = PALETTE[ch]
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(head + info + pixels)


def write_cur(name, rows, hot):
    size = 32
    xor_rows, and_rows = [], []
    for y in range(size):
        row = rows[y] if y < len(rows) else ''
        xor_bits = and_bits = 0
        for x in range(size):
            ch = row[x] if x < len(row) else '.'
            bit = 1 << (31 - x)
            if ch == '.':
                and_bits |= bit            # screen shows through
            elif ch == 'w':
                xor_bits |= bit
            elif ch == '~':
                and_bits |= bit
                xor_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    body = b''.join(reversed(xor_rows)) + b''.join(reversed(and_rows))
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(body), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + body
    head = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(head + entry + image)


if __name__ == '__main__':
    write_bmp('feditbmp.bmp', FEDITBMP)
    write_bmp('truetype_fnt.bmp', TRUETYPE_FNT)
    write_bmp('device_fnt.bmp', DEVICE_FNT)
    write_cur('hand.cur', HAND, (5, 0))
    # Redo and Previous are Undo and Next turned left to right.
    glyphs = dict(BAR_GLYPHS, redo=mirror(BAR_GLYPHS['undo']), previous=mirror(BAR_GLYPHS['next']))
    strip = [''.join(glyphs[name][y] for name in BAR_GLYPH_ORDER) for y in range(16)]
    write_bmp('bar_glyphs.bmp', strip)
    write_cur('drag.cur', DRAG, (0, 0))
