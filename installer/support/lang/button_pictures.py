#!/usr/bin/env python3
"""Writes the installer screen's button pictures (exit, help, minimise; up and pressed) as
4-bit Windows bitmaps of 63 x 39 pixels, in the language package's picture form:

    python3 button_pictures.py >> kwenu.txt
"""
import base64
import struct

W, H = 63, 39
PALETTE = [
    (0, 0, 0),        # 0 outer edge
    (255, 255, 255),  # 1 highlight
    (206, 208, 216),  # 2 face
    (112, 114, 128),  # 3 shadow
    (176, 178, 190),  # 4 pressed face
    (24, 36, 96),     # 5 sign
]

# Signs drawn at twice this size, centred: "X" exit, "?" help, "_" minimise.
SIGNS = {
    "EXIT": ["XX...XX", "XXX.XXX", ".XXXXX.", "..XXX..", ".XXXXX.", "XXX.XXX", "XX...XX"],
    "HELP": ["..XXX..", ".XX.XX.", ".....XX", "....XX.", "...XX..", "...XX..", ".......", "...XX.."],
    "MINZ": [".......", ".......", ".......", ".......", ".......", ".......", "XXXXXXX"],
}


def picture(sign, pressed):
    px = [[2 if not pressed else 4] * W for _ in range(H)]
    for x in range(W):
        px[0][x] = px[H - 1][x] = 0
    for y in range(H):
        px[y][0] = px[y][W - 1] = 0
    light, dark = (3, 1) if pressed else (1, 3)
    for x in range(1, W - 1):
        px[1][x] = px[2][x] = light
        px[H - 2][x] = px[H - 3][x] = dark
    for y in range(1, H - 1):
        px[y][1] = px[y][2] = light
        px[y][W - 2] = px[y][W - 3] = dark
    rows = SIGNS[sign]
    scale = 3
    sw, sh = len(rows[0]) * scale, len(rows) * scale
    ox, oy = (W - sw) // 2 + pressed, (H - sh) // 2 + pressed
    for r, line in enumerate(rows):
        for c, ch in enumerate(line):
            if ch == "X":
                for dy in range(scale):
                    for dx in range(scale):
                        px[oy + r * scale + dy][ox + c * scale + dx] = 5
    stride = ((W * 4 - 1) // 32 + 1) * 4
    data = b""
    for y in reversed(range(H)):  # bottom-up
        row = bytearray(stride)
        for x in range(W):
            row[x >> 1] |= px[y][x] << (0 if x & 1 else 4)
        data += bytes(row)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 4, 0, len(data), 2835, 2835, len(PALETTE), 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return head + info + table + data


def main():
    print("; The install screen's buttons (exit, help, minimise; up and pressed), written by")
    print("; button_pictures.py.")
    for sign in ("EXIT", "HELP", "MINZ"):
        for pressed, state in ((0, "UP"), (1, "DN")):
            text = base64.b64encode(picture(sign, pressed)).decode()
            print("[picture BM%s%s]" % (sign, state))
            for i in range(0, len(text), 76):
                print("data=" + text[i:i + 76])


if __name__ == "__main__":
    main()
