# Acting as a user on an X display: starting the program, finding its
# windows, clicking at places within them, typing, and taking screenshots.
# Every wait is a bounded poll. Sourced by the end-to-end test and by the
# screenshot script; needs xdotool and ImageMagick's import.

# Runs the command until it succeeds, for at most the given seconds.
poll_until() {
    local seconds="$1"
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}

# Prints the id of the visible window whose title is exactly $1, waiting up
# to 30 seconds for it to appear.
find_window() {
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

window_shown() {
    [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]
}

window_gone() {
    ! window_shown "$1"
}

# Sets WIN_X, WIN_Y, WIN_W and WIN_H to the window's place on the screen.
window_geometry() {
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")"
    WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
}

# Clicks at the point (x, y) of the window last measured by window_geometry.
click_at() {
    xdotool mousemove --sync $((WIN_X + $1)) $((WIN_Y + $2)) click 1
}

type_text() {
    xdotool type --delay 15 -- "$1"
}

press() {
    xdotool key --delay 15 "$@"
}

screenshot() {
    import -window root "$1"
}

# The program's process has ended.
process_ended() {
    ! kill -0 "$1" 2>/dev/null
}
