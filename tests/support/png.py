"""Reading and writing the PNG files of screenshots, without an imaging
library: 8-bit RGB or RGBA, every row filter, no interlacing (what grim and
the X dumps give)."""
import struct
import zlib


def _paeth(left, up, upper_left):
    estimate = left + up - upper_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - upper_left))
    return (left, up, upper_left)[distances.index(min(distances))]


def read(path):
    """(width, height, rows): each row RGB bytes, alpha dropped."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is not a PNG file")
    position, compressed = 8, b""
    while position < len(data):
        length, = struct.unpack(">I", data[position:position + 4])
        kind, body = data[position + 4:position + 8], data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError("%s: only 8-bit RGB or RGBA without interlacing is read" % path)
        elif kind == b"IDAT":
            compressed += body
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(compressed)
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            upper_left = previous[i - channels] if i >= channels else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2,
                         _paeth(left, previous[i], upper_left))[kind]
            line[i] = (line[i] + predictor) & 0xff
        previous = line
        if channels == 4:
            rows.append(bytes(b for x in range(width) for b in line[4 * x:4 * x + 3]))
        else:
            rows.append(bytes(line))
    return width, height, rows


def write(path, width, height, rows, scale=1):
    """RGB rows to a PNG file, each pixel enlarged `scale` times."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xffffffff)
    lines = []
    for row in rows:
        line = b"".join(row[3 * x:3 * x + 3] * scale for x in range(width))
        lines += [b"\x00" + line] * scale
    header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(lines)))
                  + chunk(b"IEND", b""))


def crop(rows, x, y, width, height):
    return [row[3 * x:3 * (x + width)] for row in rows[y:y + height]]
