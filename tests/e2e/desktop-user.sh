# Acting as a user on an X display: finding the program's windows, clicking
# at places within them, typing, and taking screenshots.
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

# The main window's client area (its controls' places count from there) is
# 355 pixels high, below the menu bar: sets WIN_X, WIN_Y, WIN_W and WIN_H
# to the client area and MAIN_MENU_HEIGHT to the menu bar's height.
main_geometry() {
    window_geometry "$1"
    MAIN_MENU_HEIGHT=$((WIN_H - 355))
    WIN_Y=$((WIN_Y + MAIN_MENU_HEIGHT)) WIN_H=355
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

# Places in the main window, in pixels from the top-left corner of its
# client area (see main_geometry).
MAIN_EXPRESSION_BOX="274 142"
MAIN_FIRST_SAMPLE="70 215"
# The sample list's text, inside its frame and left of its scroll bar, as
# "x y width height".
MAIN_SAMPLE_LIST_TEXT="29 210 95 113"
MAIN_ADD_SAMPLE="179 252"
MAIN_DRAW="519 312"
MAIN_EXIT="515 20"
MAIN_ABOUT="516 62"
MAIN_NO_OPTIMIZE="452 177"
MAIN_KEY_X="145 103"

# In the About box.
ABOUT_OK="325 186"

# The graph window's toolbar buttons, by their place from the left (0 for
# the first), at the point "x y" from the window's top-left corner.
GRAPH_POLAR=12
GRAPH_RANGE_SELECTOR=17
# The Tools menu and its last item, "Table of Values...".
GRAPH_TOOLS_MENU="189 8"
GRAPH_TABLE_ITEM="250 138"

# In the table window.
TABLE_FIRST_CELL="75 148"
TABLE_CLOSE="500 407"

graph_toolbar_button() {
    echo "$((15 + $1 * 296 / 10)) 38"
}

# In the main window, last measured by window_geometry: types x^2+2x+1 and
# sin(x) into the list, then adds the sixth sample, "(x^2)/4-2".
enter_three_expressions() {
    click_at $MAIN_EXPRESSION_BOX
    type_text 'x^2+2x+1'
    press Return
    type_text 'sin(x)'
    press Return
    click_at $MAIN_FIRST_SAMPLE
    press Down Down Down Down Down
    click_at $MAIN_ADD_SAMPLE
}

# The three curves as screencheck names them, each in its colour: the n-th
# listed expression is drawn in (n + 1) x 50000 as a 0x00BBGGRR value,
# written here as RRGGBB.
THREE_CURVES=(A08601:square F04902:sin 400D03:quarter)
