#!/usr/bin/env bash
# Regenerate the 23 voice clips resources/clips/wav0.wav .. wav22.wav with espeak-ng and sox.
#
#   tools/make_clips.sh            # writes into resources/clips/ of this checkout
#   tools/make_clips.sh OUTDIR     # writes somewhere else (e.g. to compare two runs)
#
# Needs: espeak-ng (with its Mandarin data), sox, python3 (standard library only).
# See tools/README-clips.md for the clip texts, the format and the reasoning behind them.
# Output is byte-for-byte reproducible for a given espeak-ng and sox version.
set -euo pipefail
export LC_ALL=C

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
out="${1:-$root/resources/clips}"

for tool in espeak-ng sox soxi python3; do
    command -v "$tool" >/dev/null || { echo "make_clips: $tool not found" >&2; exit 1; }
done

# "cmn-latn-pinyin" is the Mandarin voice reading Latin text as pinyin. The texts are
# given in pinyin with explicit tones, so the result does not depend on the character
# dictionary, and the tone change of 一 before 百 (yi1 -> yi4) is spelt out because
# espeak-ng does not apply it. (The plain "cmn" voice of espeak-ng 1.51 speaks the tone
# digits of many syllables as English numbers, e.g. 一 as "yi one".)
VOICE=cmn-latn-pinyin
RATE=175       # words (here: syllables) per minute; espeak-ng's default
AMPLITUDE=50   # espeak-ng's default of 100 saturates on some syllables
TRIM_DB=-55d   # below this (after a first normalisation) counts as silence
PEAK_DB=-3     # final peak level, dBFS
LEAD_MS=5      # silence kept before the speech (clips aligned to the start)
TAIL_MS=10     # silence kept after the speech (clips aligned to the end)

# index | frames | align | pinyin | characters
CLIPS=(
    "0|8530|start|ling2|零"
    "1|5149|start|yi1|一"
    "2|4856|start|er4|二"
    "3|7125|start|san1|三"
    "4|5749|start|si4|四"
    "5|6407|start|wu3|五"
    "6|5249|start|liu4|六"
    "7|6293|start|qi1|七"
    "8|4594|start|ba1|八"
    "9|6516|start|jiu3|九"
    "10|6963|start|shi2|十"
    "11|11466|end|yi4 bai3 yi1|一百一"
    "12|11466|end|yi4 bai3 er4|一百二"
    "13|11466|end|yi4 bai3 san1|一百三"
    "14|11466|end|yi4 bai3 si4|一百四"
    "15|11466|end|yi4 bai3 wu3|一百五"
    "16|11466|end|yi4 bai3 liu4|一百六"
    "17|11466|end|yi4 bai3 qi1|一百七"
    "18|11466|end|yi4 bai3 ba1|一百八"
    "19|11466|end|yi4 bai3 jiu3|一百九"
    "20|11466|end|liang3 bai3 ling2|两百零"
    "21|11466|end|liang3 bai3 yi1|两百一"
    "22|11466|end|liang3 bai3 er4|两百二"
)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

echo "espeak-ng: $(espeak-ng --version | head -n1)"
echo "sox:       $(sox --version | head -n1)"
printf '%-5s %-20s %7s %7s %7s  %-6s %s\n' clip pinyin frames speech avail tempo text

for entry in "${CLIPS[@]}"; do
    IFS='|' read -r idx frames align pinyin hanzi <<<"$entry"

    # 1. Synthesise.
    espeak-ng -v "$VOICE" -s "$RATE" -a "$AMPLITUDE" -w "$work/syn$idx.wav" "$pinyin"

    # 2. Trim leading and trailing silence (normalised first so the threshold is relative).
    sox -D "$work/syn$idx.wav" "$work/trim$idx.wav" \
        norm -1 silence 1 0.005 "$TRIM_DB" reverse silence 1 0.005 "$TRIM_DB" reverse
    speech=$(soxi -s "$work/trim$idx.wav")

    # 3. Speed up (pitch kept) when the speech does not fit between the margins.
    avail=$((frames - LEAD_MS * 22050 / 1000 - TAIL_MS * 22050 / 1000))
    tempo=$(python3 -c "import math; print(f'{max(1.0, math.ceil($speech / $avail * 1000) / 1000):.3f}')")
    effects=()
    if [[ "$tempo" != "1.000" ]]; then
        effects+=(tempo -s "$tempo")
    fi

    # 4. Set the level; write headerless PCM for the packer.
    sox -D "$work/trim$idx.wav" -t raw -e signed-integer -b 16 -c 1 -r 22050 \
        "$work/speech$idx.raw" "${effects[@]}" norm "$PEAK_DB"
    printf '%-5s %-20s %7d %7d %7d  %-6s %s\n' "$idx" "$pinyin" "$frames" "$speech" "$avail" "$tempo" "$hanzi"

    # 5. Place it in a clip of exactly $frames frames, fade the ends, write the WAV.
    title=()
    if [[ "$idx" == 0 ]]; then
        title=(--title ling2)
    fi
    python3 "$here/wavpack_clip.py" "$work/speech$idx.raw" "$out/wav$idx.wav" \
        --frames "$frames" --align "$align" --lead-ms "$LEAD_MS" --tail-ms "$TAIL_MS" \
        "${title[@]}" >/dev/null
done

echo "wrote 23 clips to $out"
