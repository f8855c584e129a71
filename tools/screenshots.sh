#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb + Wine: the overlay over a game-like scene painted
# on the X root window, and the settings dialog. Writes docs/screenshot-overlay.png and
# docs/screenshot-settings.png; at another DPI only the overlay, as
# docs/screenshot-overlay-<percent>.png, on a screen and scene enlarged by the same scale.
#
#   tools/screenshots.sh [path/to/tallyvox.exe [DPI]]   (defaults: build/mingw/tallyvox.exe, 96)
#
# Needs: Xvfb, wine, ImageMagick (convert, display, import), xdotool, iconv. The Wine prefix is
# build/wineprefix-shots, or build/wineprefix-shots-<DPI> (made on first use, ~20 s).
set -euo pipefail
export LC_ALL=C.UTF-8

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exe="${1:-$root/build/mingw/tallyvox.exe}"
dpi="${2:-96}"
out="$root/docs"
for tool in Xvfb convert display import xdotool iconv wineserver; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool not found" >&2; exit 1; }
done
[[ -f $exe ]] || { echo "screenshots: no $exe; build it first (make build)" >&2; exit 1; }

# A length at 96 DPI scaled to the shot's DPI, rounded as the program rounds.
scaled() { echo $((($1 * dpi + 48) / 96)); }
width=$(scaled 800)
height=$(scaled 450)
suffix=""
[[ $dpi == 96 ]] || suffix="-$((dpi * 100 / 96))"
work=$(mktemp -d)
wine_bin=wine
[[ -x /usr/lib/wine/wine64 ]] && wine_bin=/usr/lib/wine/wine64
export WINEPREFIX="$root/build/wineprefix-shots"
[[ $dpi == 96 ]] || WINEPREFIX+="-$dpi"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# shellcheck source-path=SCRIPTDIR/../scripts source=game_screen.sh
source "$root/scripts/game_screen.sh"
cleanup() {
    wineserver -k 2>/dev/null || true
    game_screen_stop
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
game_screen_start "$width" "$height" "$work" || exit 1

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "screenshots: creating Wine prefix $WINEPREFIX (once, ~20 s)"
    wineboot -i >/dev/null 2>&1
    # No window manager here: unmanaged windows avoid Wine's 2 s wait on every hide.
    "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1
    # The dialog's caption and the tooltips use Tahoma, which has no Chinese glyphs; on a
    # Chinese Windows they show Chinese, so let Wine draw them with WenQuanYi instead.
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2"; do
        "$wine_bin" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
            /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1
    done
    [[ $dpi == 96 ]] || "$wine_bin" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
fi

# Four timers as a player might set them up; yellow titles read well over a dark scene.
mkdir -p "$work/app"
cp "$exe" "$work/app/tallyvox.exe"
iconv -f UTF-8 -t GBK <<'INI' | sed 's/$/\r/' >"$work/app/qorvane.db"
[Common]
SortType=多排
TimerCounter=4
IsSecondCounter=1
LastSecond=10
IsCircle=0
Title1=大龙
HotKey1=F1
Seconds1=300
Title2=小龙
HotKey2=F2
Seconds2=13
Title3=红buff
HotKey3=F3
Seconds3=90
Title4=复活
HotKey4=F4
Seconds4=90
TitleColor=65535
TopMost=1
INI

(cd "$work/app" && exec "$wine_bin" ./tallyvox.exe) >/dev/null 2>&1 &
overlay=""
for _ in $(seq 150); do
    overlay=$(xdotool search --onlyvisible --name '^Tallyvox$' 2>/dev/null | head -n1) || true
    [[ -n $overlay ]] && break
    sleep 0.2
done
[[ -n $overlay ]] || { echo "screenshots: the overlay did not appear" >&2; exit 1; }
# Wine's start-up clears the root window: paint the scene once the program runs.
game_screen_paint || exit 1
eval "$(xdotool getwindowgeometry --shell "$overlay")"  # X, Y of the overlay's top left

# Count panels stand at client (56,4) and (142,4) in the first row, 28 x 20 pixels at 96 DPI.
panel() { echo "$((X + $(scaled $(($1 + 14))))) $((Y + $(scaled $(($2 + 10)))))"; }
# Drag the overlay to the upper right by slot 1's count, as a player would.
read -r px py <<<"$(panel 56 4)"
xdotool mousemove "$px" "$py" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove "$((px + $(scaled $((step * 25)))))" "$((py - $(scaled $((step * 19)))))"
    sleep 0.05
done
xdotool mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$overlay")"

# Start slots 1 and 2; slot 2 reaches its last ten seconds (red) after a few ticks.
for offset in "56 4" "142 4"; do
    read -r px py <<<"$(panel $offset)"
    xdotool mousemove "$px" "$py" click --repeat 2 --delay 80 1
    sleep 0.3
done
# Off the overlay, so that no tooltip covers it.
xdotool mousemove "$(scaled 200)" "$(scaled 300)"
sleep 4.5
import -window root "$out/screenshot-overlay$suffix.png"
shots=("$out/screenshot-overlay$suffix.png")

# The settings dialog, at 96 DPI only.
if [[ $dpi == 96 ]]; then
    # The settings dialog: right click a count, then the menu's first command "设置(&S)".
    read -r px py <<<"$(panel 142 32)"
    xdotool mousemove "$px" "$py" click 3
    sleep 0.8
    xdotool mousemove "$((px + 30))" "$((py + 10))" click 1
    dialog=""
    for _ in $(seq 50); do
        dialog=$(xdotool search --onlyvisible --name '^设置$' 2>/dev/null | head -n1) || true
        [[ -n $dialog ]] && break
        sleep 0.2
    done
    [[ -n $dialog ]] || { echo "screenshots: the settings dialog did not open" >&2; exit 1; }
    # Move it to the left half, clear of the overlay, and frame it with some of the scene.
    xdotool windowmove "$dialog" 120 0
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    import -window root -crop "$((WIDTH + 40))x$((HEIGHT < height ? HEIGHT : height))+$((X - 20))+0" \
        +repage "$out/screenshot-settings.png"
    shots+=("$out/screenshot-settings.png")
fi

for shot in "${shots[@]}"; do
    # Small and free of timestamps, so a rerun changes the file only when the picture changes.
    convert "$shot" -strip -define png:exclude-chunks=date,time "$shot"
    echo "screenshots: wrote $shot ($(identify -format '%wx%h' "$shot"))"
done
