#!/usr/bin/env python3
"""Place a trimmed speech take into a fixed-length voice clip and write it as a WAV file.

Used by tools/make_clips.sh; standard library only.

Input is headerless PCM: signed 16-bit little-endian, mono, 22050 Hz (the speech alone,
leading and trailing silence already removed and the level already set).  The output is
a RIFF/WAVE file holding exactly a 16-byte "fmt " chunk and a "data" chunk of exactly
--frames sample frames, followed, when --title is given, by a "LIST"/"INFO" chunk with
an "INAM" tag and an "id3 " chunk with an ID3v2.3 tag carrying the same title.

The speech is placed at the start of the clip (--align start: --lead-ms of silence
before it) or at its end (--align end: --tail-ms of silence after it); the rest is
silence.  Short raised-cosine ramps at both ends of the speech avoid clicks.
"""

import argparse
import math
import struct
import sys

SAMPLE_RATE = 22050
BITS = 16
CHANNELS = 1
BLOCK_ALIGN = CHANNELS * BITS // 8
BYTE_RATE = SAMPLE_RATE * BLOCK_ALIGN
WAVE_FORMAT_PCM = 1


def ms_to_frames(ms):
    return int(round(ms * SAMPLE_RATE / 1000.0))


def read_pcm(path):
    with open(path, "rb") as f:
        raw = f.read()
    if len(raw) % 2:
        sys.exit(f"{path}: odd byte count, not 16-bit PCM")
    return list(struct.unpack(f"<{len(raw) // 2}h", raw))


def apply_ramps(samples, fade_in, fade_out):
    """Raised-cosine fade-in over the first fade_in and fade-out over the last fade_out
    samples."""
    n = len(samples)
    fade_in = min(fade_in, n // 2)
    fade_out = min(fade_out, n // 2)
    out = list(samples)
    for i in range(fade_in):
        g = 0.5 - 0.5 * math.cos(math.pi * i / fade_in)
        out[i] = int(round(out[i] * g))
    for i in range(fade_out):
        g = 0.5 - 0.5 * math.cos(math.pi * i / fade_out)
        out[n - 1 - i] = int(round(out[n - 1 - i] * g))
    return out


def chunk(tag, payload):
    assert len(tag) == 4
    data = tag + struct.pack("<I", len(payload)) + payload
    if len(payload) % 2:
        data += b"\0"  # RIFF chunks are padded to an even size; the pad is not counted
    return data


def info_list_chunk(title):
    text = title.encode("ascii") + b"\0"
    return chunk(b"LIST", b"INFO" + chunk(b"INAM", text))


def id3_chunk(title):
    # ID3v2.3: 10-byte header with a syncsafe size, then one TIT2 (title) frame whose
    # 4-byte size is plain big-endian in this version; text encoding 0 = ISO-8859-1.
    body = b"\0" + title.encode("latin-1")
    frame = b"TIT2" + struct.pack(">I", len(body)) + b"\0\0" + body
    size = len(frame)
    syncsafe = bytes([(size >> 21) & 0x7F, (size >> 14) & 0x7F, (size >> 7) & 0x7F, size & 0x7F])
    tag = b"ID3" + bytes([3, 0, 0]) + syncsafe + frame
    return chunk(b"id3 ", tag)


def build_wav(samples, title):
    fmt = struct.pack(
        "<HHIIHH", WAVE_FORMAT_PCM, CHANNELS, SAMPLE_RATE, BYTE_RATE, BLOCK_ALIGN, BITS
    )
    body = b"WAVE" + chunk(b"fmt ", fmt)
    body += chunk(b"data", struct.pack(f"<{len(samples)}h", *samples))
    if title is not None:
        body += info_list_chunk(title) + id3_chunk(title)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("speech", help="headerless s16le mono 22050 Hz speech")
    ap.add_argument("out", help="WAV file to write")
    ap.add_argument("--frames", type=int, required=True, help="exact clip length")
    ap.add_argument("--align", choices=("start", "end"), default="start")
    ap.add_argument("--lead-ms", type=float, default=5.0)
    ap.add_argument("--tail-ms", type=float, default=10.0)
    ap.add_argument("--fade-in-ms", type=float, default=5.0)
    ap.add_argument("--fade-out-ms", type=float, default=15.0)
    ap.add_argument("--title", help="name tag (LIST/INFO INAM and ID3 TIT2)")
    args = ap.parse_args()

    speech = read_pcm(args.speech)
    if not speech:
        sys.exit(f"{args.speech}: no speech")
    lead = ms_to_frames(args.lead_ms)
    tail = ms_to_frames(args.tail_ms)
    if len(speech) > args.frames:
        sys.exit(
            f"{args.out}: speech is {len(speech)} frames, longer than the clip "
            f"({args.frames}); it must be sped up, not cut"
        )
    # The margins are soft: when the speed-up left the speech a few frames too long for
    # them, give up margin rather than speech.
    spare = args.frames - len(speech)
    if lead + tail > spare:
        if args.align == "start":
            tail = max(0, spare - lead)
            lead = min(lead, spare)
        else:
            lead = max(0, spare - tail)
            tail = min(tail, spare)

    speech = apply_ramps(speech, ms_to_frames(args.fade_in_ms), ms_to_frames(args.fade_out_ms))
    if args.align == "start":
        before = lead
    else:
        before = args.frames - tail - len(speech)
    after = args.frames - before - len(speech)
    samples = [0] * before + speech + [0] * after
    assert len(samples) == args.frames

    with open(args.out, "wb") as f:
        f.write(build_wav(samples, args.title))
    peak = max(abs(s) for s in samples)
    print(
        f"{args.out}: {args.frames} frames, speech {len(speech)} at {before}..{before + len(speech)},"
        f" peak {peak}"
    )


if __name__ == "__main__":
    main()
