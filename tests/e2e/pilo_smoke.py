#!/usr/bin/env python3
"""The desktop program on the SDL host on a virtual X server, zoomed 2 with a wave device that
plays in real time: the splash shows and gives way to the main window, each screen pixel a
sharp 2 x 2 block, a click on the new-game button deals anew, and Escape ends the program with
status 0. Pixels are read back from xwd dumps.

Usage: pilo_smoke.py PILO LAYOUT (LAYOUT: the tool printing where things are on the screen)
"""
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time

if os.environ.get("SMOKE_INNER") != "1":
    # The whole run bounded, so a hung program or X server fails the test instead of stalling
    # it. -noreset: the server would otherwise reset when the first client disconnects.
    os.environ["SMOKE_INNER"] = "1"
    os.execvp("timeout", ["timeout", "-k", "5", "170", "xvfb-run", "-a", "-s",
                          "-screen 0 1400x1100x24 -nolisten tcp -noreset", sys.executable]
              + sys.argv)

pilo, layout_tool = sys.argv[1:3]
work = tempfile.TemporaryDirectory()
out_path, err_path = os.path.join(work.name, "out"), os.path.join(work.name, "err")
game = None


def fail(why):
    print("FAIL:", why)
    for name, path in (("output", out_path), ("errors", err_path)):
        if os.path.exists(path):
            print(f"--- {name}:\n" + open(path, errors="replace").read())
    if game is not None and game.poll() is None:
        game.kill()
    sys.exit(1)


def wait_for(what, seconds, step=0.1):
    """Polls what() until it gives a true value or the time is up; returns its last value."""
    end = time.monotonic() + seconds
    while True:
        value = what()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


# Screen points "NAME X Y" and colours "NAME X Y RRGGBB" from a headless run; at zoom 2 screen
# point (x, y) covers window pixels (2x, 2y) to (2x + 1, 2y + 1).
points, colours = {}, {}
layout = subprocess.run([layout_tool], capture_output=True, text=True, check=True).stdout
for f in map(str.split, layout.splitlines()):
    if len(f) in (3, 4):
        points[f[0]] = (2 * int(f[1]), 2 * int(f[2]))
        colours[f[0]] = f[3] if len(f) == 4 else None
cells = [points[f"cell{r}_{c}"] for r in range(13) for c in range(13)]


def shot():
    """The window's size and a function giving the colour "RRGGBB" of a window pixel."""
    raw = subprocess.run(["xwd", "-silent", "-id", wid], capture_output=True, timeout=10).stdout
    if len(raw) < 100:
        fail("no window dump")
    h = struct.unpack(">20I", raw[:80])
    if h[1] != 7 or h[2] != 2 or h[11] not in (24, 32):
        fail("only version 7 ZPixmap dumps of 24 or 32 bits a pixel are read")
    width, height, order, size, stride, masks = h[4], h[5], h[7], h[11] // 8, h[12], h[14:17]
    data = h[0] + h[19] * 12
    if data + stride * height > len(raw):
        fail("the dump is truncated")

    def colour(x, y):
        if not (0 <= x < width and 0 <= y < height):
            fail(f"({x}, {y}) is outside the window")
        at = data + y * stride + x * size
        pixel = int.from_bytes(raw[at:at + size], "little" if order == 0 else "big")
        shift = [(m & -m).bit_length() - 1 for m in masks]
        return "".join(f"{((pixel & m) >> s) * 255 // (m >> s):02X}" for m, s in zip(masks, shift))
    return (width, height), colour


def colours_at(where):
    colour = shot()[1]
    return [colour(x, y) for x, y in where]


env = dict(os.environ, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy", PILO_AUDIO="1",
           PILO_SCALE="2", PILO_REPORT_FIRST_FRAME="1")
game = subprocess.Popen([pilo], env=env, stdout=open(out_path, "w"), stderr=open(err_path, "w"))
# The splash first, over the board's grey field. It lasts three quarters of a second, which a
# loaded machine can spend before the window is found, so the program is held still from its
# first frame until that frame has been read.
first = lambda: "first frame at" in open(err_path, errors="replace").read()
if not wait_for(lambda: first() or game.poll() is not None, 30, 0.01) or not first():
    fail("no first frame within 30 s")
game.send_signal(signal.SIGSTOP)
# Polled briskly rather than with xdotool's --sync (half a second a try).
wid = wait_for(lambda: subprocess.run(["xdotool", "search", "--name", "^Pilo$"], text=True,
                                      capture_output=True).stdout.split()[:1], 30, 0.05)
if not wid:
    fail("no window titled Pilo")
wid = wid[0]
field, field_colour = points["boardfield"], colours["boardfield"]
seen = colours_at([field])[0]
game.send_signal(signal.SIGCONT)
if seen == "000000":
    fail("the first frame is black")
if seen == field_colour:
    fail("no splash: the board showed at once")
# Then it gives way to the main window, each screen pixel a 2 x 2 block.
block = [field, (field[0] + 1, field[1] + 1)]
if not wait_for(lambda: colours_at(block) == [field_colour] * 2, 5):
    fail(f"pixels at {block}: got {colours_at(block)}, expected {field_colour}")
if shot()[0] != (1280, 960):
    fail(f"the window is {shot()[0]}, expected (1280, 960)")

before = colours_at(cells)
# The deal is seeded with the calendar second: let one go by before dealing anew.
time.sleep(1.2)
x, y = points["newgame"]
subprocess.run(["xdotool", "mousemove", "--window", wid, str(x + 1), str(y + 1), "click", "1"])
if not wait_for(lambda: colours_at(cells) != before, 5):
    fail("the board did not change after a click on the new-game button")

subprocess.run(["xdotool", "mousemove", "--window", wid, "4", "4"])
subprocess.run(["xdotool", "windowfocus", wid], stderr=subprocess.DEVNULL)
subprocess.run(["xdotool", "key", "--window", wid, "Escape"], stderr=subprocess.DEVNULL)
try:
    status = game.wait(5)
except subprocess.TimeoutExpired:
    fail("still running 5 s later")
if status != 0:
    fail(f"exited with {status}")
print("pilo smoke test passed")
