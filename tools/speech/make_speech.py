#!/usr/bin/env python3
"""make_speech.py: speaks the twelve Polish waves of res/sounds with espeak-ng and sox.

Run from anywhere: python3 tools/speech/make_speech.py [output folder]
The build never runs this; the waves it writes are committed. Same tools, same bytes:
sox runs without dither (-D), so a rerun reproduces every file exactly.
"""

import os
import struct
import subprocess
import sys
import tempfile

# Every wave: file name, words, espeak-ng speed, channels, rate, and its length in frames.
# The farewell and the opening wave have fixed lengths; a digit lasts as long as the word
# plus its margins, kept between 0.54 s and 0.97 s so the score reads at an even pace.
LEAD_SECONDS = 0.03  # silence before the word, so the player does not clip its onset
TAIL_SECONDS = 0.08  # silence after it, the gap before the next digit
DIGIT_MIN_SECONDS = 0.54
DIGIT_MAX_SECONDS = 0.97

WAVES = [
    # name,           words,              speed, channels, rate,  seconds (None: fitted)
    ("farewell.wav", "Do widzenia!", 100, 2, 11025, 1.68),
    ("announce.wav", "Uzyskałeś wynik:", 100, 1, 22050, 2.06),
    ("digit0.wav", "zero", 100, 1, 22050, None),
    ("digit1.wav", "jeden", 100, 1, 22050, None),
    ("digit2.wav", "dwa", 100, 1, 22050, None),
    ("digit3.wav", "trzy", 100, 1, 22050, None),
    ("digit4.wav", "cztery", 100, 1, 22050, None),
    ("digit5.wav", "pięć", 100, 1, 22050, None),
    ("digit6.wav", "sześć", 100, 1, 22050, None),
    ("digit7.wav", "siedem", 100, 1, 22050, None),
    ("digit8.wav", "osiem", 100, 1, 22050, None),
    ("digit9.wav", "dziewięć", 100, 1, 22050, None),
]

SILENCE = 0x80  # unsigned 8-bit PCM midpoint
PEAK_DB = "-1"  # normalisation target in dBFS


def speak(words, speed, path):
    subprocess.run(["espeak-ng", "-v", "pl", "-s", str(speed), "-w", path, words], check=True)


def to_u8(src, channels, rate, tempo=None):
    """Trims leading and trailing silence, resamples, normalises; returns raw unsigned bytes."""
    # Short fades take the edge off the trim points so the wave starts and ends without a click;
    # each end is trimmed and faded in while it is the front, as the length is not known yet.
    trim_front = ["silence", "1", "0.01", "0.5%", "fade", "t", "0.005"]
    effects = trim_front + ["reverse"] + trim_front + ["reverse"]
    if tempo is not None:
        effects += ["tempo", "-s", f"{tempo:.4f}"]
    effects += ["rate", "-v", str(rate), "channels", str(channels), "gain", "-n", PEAK_DB]
    out = subprocess.run(
        ["sox", "-D", src, "-t", "raw", "-e", "unsigned-integer", "-b", "8", "-c", str(channels),
         "-r", str(rate), "-"] + effects,
        check=True, stdout=subprocess.PIPE)
    return out.stdout


def riff(samples, channels, rate):
    """A RIFF/WAVE image: 18-byte fmt (PCM, cbSize 0), 4-byte fact, data, pad byte if odd."""
    block_align = channels  # 8 bits per sample
    frames = len(samples) // block_align
    fmt = struct.pack("<HHIIHHH", 1, channels, rate, rate * block_align, block_align, 8, 0)
    fact = struct.pack("<I", frames)
    data = samples + (b"\x00" if len(samples) % 2 else b"")
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"fact" + struct.pack("<I", len(fact)) + fact
            + b"data" + struct.pack("<I", len(samples)) + data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def make_wave(words, speed, channels, rate, seconds, tmp):
    spoken = os.path.join(tmp, "spoken.wav")
    speak(words, speed, spoken)
    lead = round(LEAD_SECONDS * rate) * channels
    tail = round(TAIL_SECONDS * rate) * channels
    if seconds is None:
        low = round(DIGIT_MIN_SECONDS * rate) * channels
        high = round(DIGIT_MAX_SECONDS * rate) * channels
    else:
        low = high = round(seconds * rate) * channels
    voice = to_u8(spoken, channels, rate)
    if lead + len(voice) + tail > high:
        # Too long for its slot: speed it up without changing the pitch.
        voice = to_u8(spoken, channels, rate, tempo=(lead + len(voice) + tail) / high * 1.01)
    total = max(low, lead + len(voice) + tail)
    assert total <= high, f"{words!r} does not fit"
    return bytes([SILENCE]) * lead + voice + bytes([SILENCE]) * (total - lead - len(voice))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "res", "sounds")
    os.makedirs(out_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for name, words, speed, channels, rate, seconds in WAVES:
            samples = make_wave(words, speed, channels, rate, seconds, tmp)
            with open(os.path.join(out_dir, name), "wb") as f:
                f.write(riff(samples, channels, rate))
            frames = len(samples) // channels
            print(f"{name}: {words!r} {frames} frames, {frames / rate:.3f} s")


if __name__ == "__main__":
    main()
