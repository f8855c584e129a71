#!/usr/bin/env bash
# Shows the built tallyvox.exe under Wine from a run folder (build/run) holding the program and its
# settings file. With no usable X display it runs under Xvfb instead and saves a screenshot.
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
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
app_pid=""
cleanup() {
    [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 200); do
    [[ -s $display_file ]] && break
    sleep 0.05
done
[[ -s $display_file ]] || { echo "run: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

[[ -f "$WINEPREFIX/system.reg" ]] || { echo "run: creating Wine prefix (once, ~20 s)"; wineboot -i >/dev/null 2>&1; wineserver -w; }
"$wine_bin" ./tallyvox.exe &
app_pid=$!

# The root window is black until the overlay paints; take the shot once two successive frames
# agree and are not all black, or after 60 s whatever is there.
previous=""
for _ in $(seq 120); do
    kill -0 "$app_pid" 2>/dev/null || { echo "run: tallyvox.exe exited early" >&2; exit 1; }
    import -window root "$screenshot" 2>/dev/null || { sleep 0.5; continue; }
    current=$(md5sum <"$screenshot")
    peak=$(convert "$screenshot" -format '%[fx:maxima]' info: 2>/dev/null || echo 0)
    if [[ $peak != 0 && $current == "$previous" ]]; then
        break
    fi
    previous=$current
    sleep 0.5
done
echo "run: screenshot of the overlay saved to $screenshot"
