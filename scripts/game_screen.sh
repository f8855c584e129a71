# shellcheck shell=bash
# Sourced, not run: an Xvfb screen whose root window shows a game-like scene, so that the
# overlay's see-through parts show what a player would see through them (scripts/run.sh without
# a display, tools/screenshots.sh). Needs Xvfb and ImageMagick (convert, display, import).
#
#   game_screen_start WIDTH HEIGHT DIR   starts Xvfb at WIDTHxHEIGHT, exports DISPLAY, sets
#                                        game_screen_pid and draws the scene as DIR/scene.png
#   game_screen_paint                    shows the scene on the root window (Wine's start-up
#                                        clears it: paint once the program runs)
#   game_screen_stop                     ends Xvfb

game_screen_pid=""
game_screen_scene=""

game_screen_start() {
    local width=$1 height=$2 dir=$3
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$dir/display" \
        >/dev/null 2>&1 &
    game_screen_pid=$!
    for _ in $(seq 200); do [[ -s $dir/display ]] && break; sleep 0.05; done
    [[ -s $dir/display ]] || { echo "${0##*/}: Xvfb did not start" >&2; return 1; }
    DISPLAY=":$(head -n1 "$dir/display")"
    export DISPLAY

    # A dusk landscape with a game's HUD: health and mana bars, minimap, action bar.
    game_screen_scene="$dir/scene.png"
    convert -size 800x450 gradient:'#1b2a4a'-'#d9825b' \
        \( -size 800x200 xc:none -fill '#2e3b2f' -draw "path 'M 0,110 C 120,40 220,60 330,100
           C 430,135 520,50 640,70 C 720,85 770,110 800,100 L 800,200 L 0,200 Z'" \) \
        -geometry +0+250 -composite \
        \( -size 800x140 xc:none -fill '#1c261d' -draw "path 'M 0,60 C 150,10 260,90 400,50
           C 540,10 650,80 800,40 L 800,140 L 0,140 Z'" \) \
        -geometry +0+310 -composite \
        -fill '#ffd9a0' -draw "circle 610,215 610,245" \
        -fill '#00000080' -draw "roundrectangle 16,16 236,58 8,8" \
        -fill '#c0392b' -draw "roundrectangle 26,26 206,36 4,4" \
        -fill '#2980b9' -draw "roundrectangle 26,42 166,50 3,3" \
        -fill '#00000080' -stroke '#ffffff60' -draw "roundrectangle 664,316 784,436 10,10" \
        -stroke none -fill '#f1c40f' -draw "circle 724,376 724,381" \
        -fill '#e74c3c' -draw "circle 700,350 700,353" -draw "circle 752,398 752,401" \
        -fill '#00000080' -draw "roundrectangle 300,400 500,440 8,8" \
        -fill '#ffffff30' -draw "roundrectangle 308,406 340,434 4,4" \
        -draw "roundrectangle 348,406 380,434 4,4" -draw "roundrectangle 388,406 420,434 4,4" \
        -draw "roundrectangle 428,406 460,434 4,4" -draw "roundrectangle 468,406 492,434 4,4" \
        -resize "${width}x${height}!" -depth 8 "$game_screen_scene"
}

# display exits non-zero although it worked, so check the screen instead.
game_screen_paint() {
    display -window root "$game_screen_scene" || true
    [[ $(import -window root -format '%[fx:maxima]' info: 2>/dev/null) != 0 ]] ||
        { echo "${0##*/}: could not paint the root window" >&2; return 1; }
}

game_screen_stop() {
    if [[ -n $game_screen_pid ]]; then kill "$game_screen_pid" 2>/dev/null || true; fi
    game_screen_pid=""
}
