#!/usr/bin/env bash
# Runs a Windows test program under Wine: a reusable prefix in the build folder, a private HOME
# whose ALSA setup appends every played sample to a capture file, and an X display (Xvfb if none).
# Usage: run_under_wine.sh <program.exe> [args...]   |   run_under_wine.sh --prepare
# TALLYVOX_NO_DISPLAY=1 runs the program with no X display at all.
# Exports to the program: TALLYVOX_EXE (program under test), TALLYVOX_SOUND_CAPTURE (Unix paths).
# Reads TALLYVOX_WINEDLLOVERRIDES: Wine DLL overrides added to its own (e.g. "winmm=n,b").
# TALLYVOX_SOUND_READER, if set, is a program that drains the sound into the capture file.
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 <program.exe> [args...] | --prepare" >&2
    exit 2
fi

prepare_only=false
if [[ $1 == --prepare ]]; then
    prepare_only=true
    build_dir=${TALLYVOX_WINE_BUILD_DIR:-$(cd "$(dirname "$0")/../.." && pwd)/build/mingw}
else
    program=$(realpath "$1")
    shift
    build_dir=${TALLYVOX_WINE_BUILD_DIR:-$(dirname "$program")}
fi
mkdir -p "$build_dir"
build_dir=$(realpath "$build_dir")

# Debian's 64-bit-only Wine: call the loader directly instead of the wine32-probing wrapper.
wine_bin=wine
[[ -x /usr/lib/wine/wine64 ]] && wine_bin=/usr/lib/wine/wine64
export WINEPREFIX="$build_dir/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono/Gecko: their first-run installer would otherwise pop up and wait for a click. A suite
# adds its own in TALLYVOX_WINEDLLOVERRIDES: Wine reads overrides from the Unix environment a
# process was started in, so a variable the driver sets for itself never reaches the program.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d${TALLYVOX_WINEDLLOVERRIDES:+;$TALLYVOX_WINEDLLOVERRIDES}"

# A private HOME keeps the user's ~/.asoundrc and Wine settings out of the tests. X may still
# need the user's cookie, which lives in the real HOME.
if [[ -z ${XAUTHORITY:-} && -f "${HOME:-/nonexistent}/.Xauthority" ]]; then
    export XAUTHORITY="$HOME/.Xauthority"
fi
export HOME="$build_dir/e2e-home"
mkdir -p "$HOME"
export TALLYVOX_SOUND_CAPTURE="$HOME/played.raw"
: >"$TALLYVOX_SOUND_CAPTURE"
# "|cat >>" appends: a plain file name would be truncated at each open, keeping only the last clip.
# The null device takes sound as fast as it comes; TALLYVOX_SOUND_READER (the benchmark's paced
# reader) drains it at the clips' real rate instead.
reader=cat
if [[ -n ${TALLYVOX_SOUND_READER:-} ]]; then
    [[ -x $TALLYVOX_SOUND_READER ]] || { echo "no paced reader at $TALLYVOX_SOUND_READER" >&2; exit 1; }
    reader=$(realpath "$TALLYVOX_SOUND_READER")
fi
cat >"$HOME/.asoundrc" <<ASOUNDRC
pcm.!default {
  type file
  slave.pcm "null"
  file "|$reader >> $TALLYVOX_SOUND_CAPTURE"
  format "raw"
}
ASOUNDRC
export TALLYVOX_EXE=${TALLYVOX_EXE:-$build_dir/tallyvox.exe}

xvfb_pid=""
cleanup() {
    # Leftover processes of the prefix (a program a failed test left running, the desktop
    # process) go before their X server does.
    wineserver -k 2>/dev/null || true
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -f "${display_file:-}"
}
trap cleanup EXIT

display_usable() {
    [[ -n ${DISPLAY:-} ]] && timeout 10 xwd -root -silent >/dev/null 2>&1
}

if [[ ${TALLYVOX_NO_DISPLAY:-} == 1 ]]; then
    # For the test of a start that cannot make its window.
    unset DISPLAY
elif ! display_usable; then
    display_file=$(mktemp)
    # -displayfd lets Xvfb pick a free display number itself, so parallel runs cannot collide.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" \
        >"$build_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
        [[ -s $display_file ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    if [[ ! -s $display_file ]]; then
        echo "Xvfb did not start; see $build_dir/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$(head -n1 "$display_file")"
fi

# The first use of a prefix takes 10-30 s; the lock keeps two runs from building it at once.
(
    flock 9
    if [[ ! -f "$WINEPREFIX/.tallyvox-ready.2" ]]; then
        echo "creating Wine prefix $WINEPREFIX" >&2
        rm -rf "$WINEPREFIX"
        wineboot -i 9>&- >/dev/null 2>&1
        # There is no window manager on the test display: with managed windows, Wine waits
        # 2 s at every hide or destroy of a top-level window for a withdrawal nobody makes.
        "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
            9>&- >/dev/null 2>&1
        wineserver -w 9>&-
        touch "$WINEPREFIX/.tallyvox-ready.2"
    fi
) 9>"$build_dir/wineprefix.lock"

if $prepare_only; then
    echo "Wine prefix ready: $WINEPREFIX (DISPLAY=$DISPLAY)"
    exit 0
fi

set +e
"$wine_bin" "$program" "$@"
rc=$?
set -e
exit "$rc"
