#!/bin/bash
# Checks that window_demo shows on the desktop backend exactly the pixels it
# draws headless: the headless screenshot is compared with what the X server
# shows in the backend's window (grabbed with xwd) under xvfb-run.
#
# Usage: examples/window_demo/check_sdl_matches_headless.sh <build dir>/examples/window_demo/window_demo
# Needs: xvfb-run, xwd (packages xvfb, xauth, x11-apps from scripts/setup), python3.
set -euo pipefail

demo=${1:?"usage: $0 path/to/window_demo"}
demo=$(realpath "$demo")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

TARNWICK_DISPLAY=headless TARNWICK_SCREENSHOT="$work/headless.png" timeout 60 "$demo"
[ -s "$work/headless.png" ] || { echo "FAIL: no headless screenshot"; exit 1; }

cat > "$work/compare.py" <<'PY'
import struct, sys, zlib

def read_png(path):
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    pos, idat, width, height, kind = 8, b'', 0, 0, 0
    while pos < len(data):
        length, tag = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if tag == b'IHDR':
            width, height, depth, kind, _, _, interlace = struct.unpack('>IIBBBBB', body)
            assert depth == 8 and kind in (2, 6) and interlace == 0, 'unsupported PNG layout'
        elif tag == b'IDAT':
            idat += body
        pos += 12 + length
    bpp = 3 if kind == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev, at = [], bytearray(stride), 0
    for _ in range(height):
        filt, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if filt == 1: line[i] = (line[i] + a) & 255
            elif filt == 2: line[i] = (line[i] + b) & 255
            elif filt == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif filt == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        prev = line
    return width, height, rows

def shift_of(mask):
    s = 0
    while mask and not mask & 1:
        mask >>= 1; s += 1
    return s

def read_xwd(path):
    data = open(path, 'rb').read()
    h = struct.unpack('>25I', data[:100])
    header_size, fmt, width, height, byte_order, bpp, stride = h[0], h[2], h[4], h[5], h[7], h[11], h[12]
    rmask, gmask, bmask, ncolors = h[14], h[15], h[16], h[19]
    assert fmt == 2 and bpp == 32, 'unsupported XWD layout'
    at = header_size + ncolors * 12
    order = '<I' if byte_order == 0 else '>I'
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            v = struct.unpack_from(order, data, at + y * stride + x * 4)[0]
            row.append(((v & rmask) >> shift_of(rmask), (v & gmask) >> shift_of(gmask), (v & bmask) >> shift_of(bmask)))
        rows.append(row)
    return width, height, rows

w1, h1, a = read_png(sys.argv[1])
w2, h2, b = read_xwd(sys.argv[2])
if (w1, h1) != (w2, h2):
    print(f'size differs: headless {w1}x{h1}, desktop {w2}x{h2}'); sys.exit(1)
bad = sum(1 for y in range(h1) for x in range(w1) if a[y][x] != b[y][x])
print(f'{bad} of {w1 * h1} pixels differ')
sys.exit(1 if bad else 0)
PY

# Run the desktop backend, grab its window until it shows the same pixels.
cat > "$work/desktop.sh" <<SH
#!/bin/bash
TARNWICK_DISPLAY=sdl "$demo" &
pid=\$!
status=1
for attempt in \$(seq 1 40); do
    sleep 0.25
    if xwd -silent -name Tarnwick -out "$work/shown.xwd" 2>/dev/null &&
       python3 "$work/compare.py" "$work/headless.png" "$work/shown.xwd" > "$work/result.txt"; then
        status=0
        break
    fi
done
kill \$pid 2>/dev/null || true
wait \$pid 2>/dev/null || true
exit \$status
SH
chmod +x "$work/desktop.sh"

# The screen takes the desktop's usable area: a desktop of the headless size.
if xvfb-run -a -s "-screen 0 1280x1024x24" "$work/desktop.sh"; then
    echo "PASS: the desktop backend shows the headless pixels ($(cat "$work/result.txt"))"
else
    echo "FAIL: $(cat "$work/result.txt" 2>/dev/null || echo 'no window named Tarnwick was shown')"
    exit 1
fi

# On a small desktop the whole window, title bar and menus included, fits.
TARNWICK_DISPLAY=sdl TARNWICK_SCREENSHOT="$work/small.png" \
    timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" "$demo"
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' \
    "$work/small.png")
if [ "$size" = "1024x768" ]; then
    echo "PASS: on a 1024x768 desktop the screen is $size"
else
    echo "FAIL: on a 1024x768 desktop the screen is $size"
    exit 1
fi
