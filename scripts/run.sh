#!/usr/bin/env bash
# Shows the built tallyvox.exe under Wine from a run folder (build/run) holding the program and its
# settings file. With no usable X display it runs under Xvfb instead, over a game-like scene, and
# saves a screenshot of the overlay (build/screenshot.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe="$root/build/mingw/tallyvox.exe"
run_dir="$root/build/run"
screenshot="$root/build/screenshot.png"

if [[ ! -f $exe ]]; then
    echo "run: $exe is missing; build it first (make build)" >&2
    exit 1
fi
mkdir -p "$run_dir"
cp -f "$exe" "$run_dir/"
for extra in qorvane.db 使用说明.txt; do
    # An existing settings file is the user's own: do not overwrite what the program saved.
    if [[ -f "$root/resources/$extra" && ! -f "$run_dir/$extra" ]]; then
        cp "$root/resources/$extra" "$run_dir/"
    fi
done

wine_bin=wine
[[ -x /usr/lib/wine/wine64 ]] && wine_bin=/usr/lib/wine/wine64
export WINEPREFIX="$root/build/wineprefix-run"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
cd "$run_dir"

if [[ -n ${DISPLAY:-} ]] && timeout 10 xwd -root -silent >/dev/null 2>&1; then
    echo "run: starting tallyvox.exe on $DISPLAY (quit it from its right-click menu)"
    exec "$wine_bin" ./tallyvox.exe
fi

echo "run: no usable X display; running tallyvox.exe under Xvfb to take a screenshot"
# shellcheck source-path=SCRIPTDIR source=game_screen.sh
source "$root/scripts/game_screen.sh"
work=$(mktemp -d)
app_pid=""
cleanup() {
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    game_screen_stop
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
screen_width=1280
screen_height=1024
game_screen_start "$screen_width" "$screen_height" "$work" || exit 1

[[ -f "$WINEPREFIX/system.reg" ]] || { echo "run: creating Wine prefix (once, ~20 s)"; wineboot -i >/dev/null 2>&1; wineserver -w; }
"$wine_bin" ./tallyvox.exe &
app_pid=$!

# The overlay is where the screen differs from the scene behind it. Wine's start-up clears the
# root window, so paint the scene again while most of the screen differs; take the shot once two
# successive frames agree and show the overlay.
screen="$work/screen.png"
previous=""
box=""
deadline=$((SECONDS + 60))
while ((SECONDS < deadline)); do
    kill -0 "$app_pid" 2>/dev/null || { echo "run: tallyvox.exe exited early" >&2; exit 1; }
    import -window root "$screen" 2>/dev/null || { sleep 0.5; continue; }
    # The share of pixels unlike the scene, and the box around them.
    read -r changed changed_box < <(convert "$screen" "$game_screen_scene" -compose difference \
        -composite -colorspace gray -threshold 0 -format '%[fx:mean] %@\n' info: 2>/dev/null) || true
    [[ -n ${changed:-} ]] || { sleep 0.5; continue; }
    if [[ $(awk -v c="$changed" 'BEGIN { print (c > 0.5) }') == 1 ]]; then
        game_screen_paint || exit 1
        previous=""
    elif [[ $changed != 0 ]]; then
        current=$(md5sum <"$screen")
        [[ $current == "$previous" ]] && { box=$changed_box; break; }
        previous=$current
    fi
    sleep 0.5
done
if [[ -z $box ]]; then
    [[ -f $screen ]] && cp "$screen" "$screenshot"
    echo "run: the overlay did not show within 60 s; the last view of the screen is $screenshot" >&2
    exit 1
fi

# The overlay with a margin of the scene around it, as a player sees it over a game.
IFS='x+' read -r w h x y <<<"$box"
margin=24
left=$((x > margin ? x - margin : 0))
top=$((y > margin ? y - margin : 0))
right=$((x + w + margin < screen_width ? x + w + margin : screen_width))
bottom=$((y + h + margin < screen_height ? y + h + margin : screen_height))
convert "$screen" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage -strip \
    "$screenshot"
echo "run: screenshot of the overlay saved to $screenshot ($(identify -format '%wx%h' "$screenshot"))"
