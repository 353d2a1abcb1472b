#!/usr/bin/env python3
"""Draws the player's own icons and cursor as .ico/.cur files.

play.ico (1004): a black right-pointing triangle on light grey 244.
stop.ico (1005): a black 10 x 10 square on light grey 234.
hand.cur (1003): a two-colour pointing hand, hot spot at column 6, row 0.
app.ico (group A): a 16 x 16, 16-colour question mark on blue.
The files are committed; run this again only to change the drawings.
"""
import struct


def bitmap_header(width, height, bits, colours):
    # The height of an icon image counts the XOR and AND masks together.
    return struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def pack_rows(pixels, width, bits):
    """Bottom-up rows, each padded to 32 bits."""
    data = b''
    for row in reversed(pixels):
        value = 0
        for x in range(width):
            value = (value << bits) | row[x]
        row_bits = width * bits
        padded = (row_bits + 31) // 32 * 32
        value <<= padded - row_bits
        data += value.to_bytes(padded // 8, 'big')
    return data


def image(pixels, mask, palette, bits):
    height, width = len(pixels), len(pixels[0])
    colours = 1 << bits
    data = bitmap_header(width, height, bits, colours)
    for red, green, blue in palette + [(0, 0, 0)] * (colours - len(palette)):
        data += bytes((blue, green, red, 0))
    return data + pack_rows(pixels, width, bits) + pack_rows(mask, width, 1)


def write_file(path, kind, width, height, colours, hotspot, body):
    # kind 1 is an icon (planes, bit count), 2 a cursor (hot spot x, y).
    first, second = hotspot if kind == 2 else (1, 0)
    entry = struct.pack('<BBBBHHII', width, height, colours % 256, 0, first, second, len(body), 22)
    with open(path, 'wb') as out:
        out.write(struct.pack('<HHH', 0, kind, 1) + entry + body)


def two_colour_icon(path, grey, inked):
    pixels = [[1 if inked(x, y) else 0 for x in range(32)] for y in range(32)]
    mask = [[0] * 32 for _ in range(32)]
    write_file(path, 1, 32, 32, 2, None, image(pixels, mask, [grey, (0, 0, 0)], 1))


def main():
    widths = [1, 3, 5, 8, 10, 10, 8, 5, 3, 1]  # triangle rows from its left edge at column 11
    two_colour_icon('play.ico', (244, 244, 244),
                    lambda x, y: 11 <= y <= 20 and 11 <= x < 11 + widths[y - 11])
    two_colour_icon('stop.ico', (234, 234, 234), lambda x, y: 11 <= x <= 20 and 11 <= y <= 20)

    hand = [
        '      XX',
        '     X..X',
        '     X..X',
        '     X..X',
        '     X..X',
        '     X..XXX',
        '     X..X..XXX',
        '     X..X..X..XX',
        ' XX  X..X..X..X.X',
        'X..X X........X.X',
        'X...XX..........X',
        ' X...X..........X',
        '  X.............X',
        '  X.............X',
        '   X...........X',
        '   X...........X',
        '    X.........X',
        '    X.........X',
        '     X.......X',
        '     X.......X',
        '     XXXXXXXXX',
    ]
    pixels = [[0] * 32 for _ in range(32)]  # 0 black, 1 white
    mask = [[1] * 32 for _ in range(32)]    # 1 shows the screen through
    for y, line in enumerate(hand):
        for x, c in enumerate(line):
            if c in 'X.':
                mask[y][x] = 0
                pixels[y][x] = 0 if c == 'X' else 1
    write_file('hand.cur', 2, 32, 32, 2, (6, 0), image(pixels, mask, [(0, 0, 0), (255, 255, 255)], 1))

    mark = [
        '................',
        '.....WWWWWW.....',
        '....WWWWWWWW....',
        '...WWW....WWW...',
        '...WWW....WWW...',
        '..........WWW...',
        '.........WWW....',
        '........WWW.....',
        '.......WWW......',
        '.......WWW......',
        '.......WWW......',
        '................',
        '.......WWW......',
        '.......WWW......',
        '................',
        '................',
    ]
    palette = [(0, 0, 128), (255, 255, 0)]  # dark blue ground, yellow mark
    pixels = [[1 if c == 'W' else 0 for c in line] for line in mark]
    mask = [[0] * 16 for _ in range(16)]
    write_file('app.ico', 1, 16, 16, 16, None, image(pixels, mask, palette, 4))


if __name__ == '__main__':
    main()
