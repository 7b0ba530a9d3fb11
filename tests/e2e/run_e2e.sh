#!/usr/bin/env bash
# The whole program, used as a user would: on a virtual X display, it types
# two expressions and adds a sample; holds Enter on a keypad key three times
# while two busy loops load the machine, and enters what that typed; opens
# the About box beside the main window, closes it and ticks "Do not optimize
# equations", and enters sqrt(-1-x^2), which is then left unnormalised and
# has no value anywhere; draws them, traces sin(x) with a click and moves
# the trace onto its root at pi with the Right key, removes it with Esc,
# opens the table of values, copies it whole and compares it with --table,
# zooms in with keypad +, moves right with an arrow key, zooms in with the
# wheel, drags the view, zooms to a box drawn with the right button and
# undoes those three with Ctrl+Z, switches to polar mode from the toolbar,
# opens and cancels the range selector, closes the graph window, saves the
# list as a session with Ctrl+S and the save dialog and leaves it with
# Ctrl+N, opens the graph window again on 200 expressions and closes it with
# Esc at once, and exits; then starts the program on the session file and
# draws what it lists, and exits.
# Each step is checked on a screenshot of the graph window.
#
#   run_e2e.sh PROGRAM SCREENCHECK
#
# On failure the screenshots and the program's output are kept in
# ./e2e-failure; VELMORA_E2E_KEEP=<folder> keeps them always.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if [ "${1:-}" != --on-display ]; then
    for tool in xvfb-run xdotool import xclip; do
        command -v "$tool" >/dev/null || { echo "e2e: $tool is missing" >&2; exit 1; }
    done
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --on-display "$@"
fi
shift
program="$1"
screencheck="$2"
source "$here/desktop-user.sh"
unset QT_QPA_PLATFORM

work="$(mktemp -d)"
# The program's settings (its recent sessions) stay in the run's folder.
export XDG_CONFIG_HOME="$work/config"
pid=
busy=()
finish() {
    local rc=$?
    [ ${#busy[@]} -eq 0 ] || kill "${busy[@]}" 2>/dev/null || true
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
    if [ -n "${VELMORA_E2E_KEEP:-}" ]; then
        mkdir -p "$VELMORA_E2E_KEEP" && cp -r "$work"/. "$VELMORA_E2E_KEEP"
    fi
    if [ $rc -ne 0 ]; then
        rm -rf e2e-failure && cp -r "$work" e2e-failure
        echo "e2e: FAILED; screenshots and the program's output are in $PWD/e2e-failure" >&2
        cat "$work/program.log" >&2 || true
    fi
    rm -rf "$work"
}
trap finish EXIT

step=0
# Sets CX and CY to the picture's centre, in the window, as the last check
# found it.
read_centre() {
    local centre
    centre=$(sed -n 's/^axes: centre (\([0-9]*\),\([0-9]*\)).*/\1 \2/p' "$work/check.txt")
    CX=${centre% *} CY=${centre#* }
}
# Moves the pointer to (x, y) in the graph window, as click_at places it.
point_at() {
    xdotool mousemove --sync $((WIN_X + $1)) $((WIN_Y + $2))
}
# Takes screenshots until the graph window shows the view given as
# arguments (see screencheck), for at most 30 seconds.
graph_shows() {
    screenshot "$work/shot.png"
    QT_QPA_PLATFORM=offscreen "$screencheck" "$work/shot.png" "$GRAPH_X" "$GRAPH_Y" "$GRAPH_W" "$GRAPH_H" "$@" \
        > "$work/check.txt" 2>&1
}
expect_graph() {
    step=$((step + 1))
    echo "e2e: step $step: $1"
    shift
    local shown=0
    poll_until 30 graph_shows "$@" || shown=$?
    cp "$work/shot.png" "$work/step$step.png"
    cat "$work/check.txt"
    [ $shown -eq 0 ] || exit 1
}

# Marks the processes of this run, so that the check at the end does not
# count the program started by another test running beside this one.
VELMORA_E2E_RUN="$$" "$program" > "$work/program.log" 2>&1 &
pid=$!

main=$(find_window Velmora)
[ -n "$main" ] || { echo "e2e: the main window did not appear" >&2; exit 1; }
main_geometry "$main"

enter_three_expressions

step=$((step + 1))
echo "e2e: step $step: Enter held three times on a focused key, with the machine busy"
# The click types x and leaves the focus on the key; each hold types one more.
click_at $MAIN_KEY_X
for i in 1 2; do
    (while :; do :; done) &
    busy+=($!)
done
for hold in 1 2 3; do
    xdotool keydown Return
    sleep 1.5
    xdotool keyup Return
done
kill "${busy[@]}"
busy=()
click_at $MAIN_EXPRESSION_BOX
press End Return

step=$((step + 1))
echo "e2e: step $step: a click after the About box beside the main window closes is not lost"
click_at $MAIN_ABOUT
about=$(find_window "About Velmora")
[ -n "$about" ] || { echo "e2e: the About box did not appear" >&2; exit 1; }
window_geometry "$about"
click_at $ABOUT_OK
poll_until 30 window_gone "About Velmora" || { echo "e2e: the About box did not close" >&2; exit 1; }
main_geometry "$main"
# An ordinary press: the button stays down for a moment.
xdotool mousemove --sync $((WIN_X + ${MAIN_NO_OPTIMIZE% *})) $((WIN_Y + ${MAIN_NO_OPTIMIZE#* })) mousedown 1
sleep 0.2
xdotool mouseup 1
# With the box ticked, sqrt(-1-x^2) enters as typed and has no value anywhere.
click_at $MAIN_EXPRESSION_BOX
type_text 'sqrt(-1-x^2)'
press Return
click_at $MAIN_DRAW

graph=$(find_window Graph)
[ -n "$graph" ] || { echo "e2e: the graph window did not appear" >&2; exit 1; }
window_geometry "$graph"
GRAPH_X=$WIN_X GRAPH_Y=$WIN_Y GRAPH_W=$WIN_W GRAPH_H=$WIN_H
echo "e2e: the graph window is at ($GRAPH_X,$GRAPH_Y), $GRAPH_W x $GRAPH_H"

# The fourth entry is x*x*x*x, typed by one click and three holds; the fifth,
# sqrt(-1-x^2), draws nothing.
expect_graph "five entries, x and y from -10 to 10" rect 0 0 10 10 "${THREE_CURVES[@]}" 90D003:quartic E09304:absent

# A click on sin(x) at x = 2 traces it; each Right moves the trace a pixel
# column (0.05) along, stopping at its crossing with (x^2)/4-2 near 2.956 and
# then at its root, pi.
read_centre
click_at $((CX + 40)) $((CY - 18))
press $(printf 'Right %.0s' $(seq 24))
expect_graph "sin(x) traced and moved onto its root at pi" rect 0 0 10 10 ring:3.14159265:0:F04902
# Esc removes the trace; the arrow keys move the view again.
press Escape

step=$((step + 1))
echo "e2e: step $step: the table of values from the Tools menu, copied whole, is what --table prints"
click_at $GRAPH_TOOLS_MENU
click_at $GRAPH_TABLE_ITEM
table=$(find_window "Table of Values")
[ -n "$table" ] || { echo "e2e: the table window did not appear" >&2; exit 1; }
window_geometry "$table"
click_at $TABLE_FIRST_CELL
press ctrl+a ctrl+c
xclip -o -selection clipboard > "$work/copied.txt" || true
"$program" --no-optimize --table -10:10:2 'x^2+(2*x)+1' 'sin (x)' '(x^2)/4-2' 'x*x*x*x' 'sqrt(-1-x^2)' \
    > "$work/printed.txt"
cmp -s "$work/copied.txt" "$work/printed.txt" || {
    echo "e2e: the copied table differs from --table:" >&2
    diff "$work/copied.txt" "$work/printed.txt" >&2 || true
    exit 1
}
click_at $TABLE_CLOSE
poll_until 30 window_gone "Table of Values" || { echo "e2e: the table window did not close" >&2; exit 1; }
# The picture takes the keys again, from a click away from every curve.
window_geometry "$graph"
click_at $((CX - 150)) $((CY - 150))

press KP_Add
expect_graph "zoomed in: x and y from -9 to 9" rect 0 0 9 9 "${THREE_CURVES[@]}"

press Right
expect_graph "moved right by one division" rect 1.8 0 9 9 "${THREE_CURVES[@]}"

# 20 pixels to a unit at half-range 9, then 25 at 8.
read_centre
point_at $((CX + 100)) $CY
xdotool click 4
expect_graph "a wheel notch zooms in at the pointer, x = 6.3 staying there" rect 2.3 0 8 8 "${THREE_CURVES[@]}"
point_at $CX $CY
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8 9 10; do point_at $((CX - 10 * i)) $((CY + 5 * i)); done
xdotool mouseup 1
expect_graph "a drag by (-100, 50) pixels moves the view by (4, 2)" rect 6.3 2 8 8 "${THREE_CURVES[@]}"
point_at $((CX - 100)) $((CY - 100))
xdotool mousedown 3
for i in 1 2 3 4 5 6 7 8 9 10; do point_at $((CX - 100 + 20 * i)) $((CY - 100 + 20 * i)); done
xdotool mouseup 3
expect_graph "a box of 200 pixels drawn with the right button" rect 6.3 2 4 4 F04902:sin 400D03:quarter
press ctrl+z
expect_graph "Ctrl+Z undoes the box" rect 6.3 2 8 8 "${THREE_CURVES[@]}"
press ctrl+z ctrl+z
expect_graph "and the drag and the wheel" rect 1.8 0 9 9 "${THREE_CURVES[@]}"

click_at $(graph_toolbar_button $GRAPH_POLAR)
expect_graph "polar mode" polar 1.8 0 9 9 "${THREE_CURVES[@]}"

click_at $(graph_toolbar_button $GRAPH_RANGE_SELECTOR)
step=$((step + 1))
echo "e2e: step $step: the range selector opens, and Esc cancels it"
[ -n "$(find_window Preferences)" ] || { echo "e2e: the range selector did not appear" >&2; exit 1; }
screenshot "$work/preferences.png"
press Escape
poll_until 30 window_gone Preferences || { echo "e2e: the range selector did not close" >&2; exit 1; }
# Closing it starts the graph afresh from the stored view.
expect_graph "back to the stored view, still polar" polar 0 0 10 10 "${THREE_CURVES[@]}"

step=$((step + 1))
echo "e2e: step $step: Esc closes the graph window; Exit ends the program"
press Escape
poll_until 30 window_gone Graph || { echo "e2e: the graph window did not close" >&2; exit 1; }
main_geometry "$main"

step=$((step + 1))
echo "e2e: step $step: Ctrl+S saves the five entries as a session through the dialog; New leaves it"
press ctrl+s
[ -n "$(find_window "Save As")" ] || { echo "e2e: the save dialog did not appear" >&2; exit 1; }
press ctrl+a
type_text "$work/lesson.velmora"
press Return
poll_until 30 window_shown "lesson.velmora - Velmora" || { echo "e2e: the title names no session" >&2; exit 1; }
grep -q '"velmora-session"' "$work/lesson.velmora" || { echo "e2e: no session was written" >&2; exit 1; }
press ctrl+n
poll_until 30 window_shown Velmora || { echo "e2e: New did not leave the session" >&2; exit 1; }
main=$(find_window Velmora)

step=$((step + 1))
echo "e2e: step $step: the graph window opens on 200 expressions and closes with Esc within 3 s"
# The selected sample is added 195 times to the five entries.
xdotool mousemove --sync $((WIN_X + ${MAIN_ADD_SAMPLE% *})) $((WIN_Y + ${MAIN_ADD_SAMPLE#* })) click --repeat 195 --delay 5 1
click_at $MAIN_DRAW
graph=$(find_window Graph)
[ -n "$graph" ] || { echo "e2e: the graph window did not appear" >&2; exit 1; }
opened=$(date +%s%N)
press Escape
poll_until 30 window_gone Graph || { echo "e2e: the graph window did not close" >&2; exit 1; }
elapsed_ms=$((($(date +%s%N) - opened) / 1000000))
echo "e2e: open to closed in $elapsed_ms ms"
[ "$elapsed_ms" -le 3000 ] || { echo "e2e: the graph window took more than 3 s to close" >&2; exit 1; }
# Exit from the main window, last measured: the program ends with status 0.
exit_program() {
    click_at $MAIN_EXIT
    poll_until 30 process_ended "$pid" || { echo "e2e: the program did not end" >&2; exit 1; }
    local rc=0
    wait "$pid" || rc=$?
    pid=
    [ $rc -eq 0 ] || { echo "e2e: the program ended with status $rc" >&2; exit 1; }
}
exit_program

step=$((step + 1))
echo "e2e: step $step: started with the session file, the program lists its five entries"
VELMORA_E2E_RUN="$$" "$program" "$work/lesson.velmora" >> "$work/program.log" 2>&1 &
pid=$!
main=$(find_window "lesson.velmora - Velmora")
[ -n "$main" ] || { echo "e2e: the session did not open" >&2; exit 1; }
main_geometry "$main"
click_at $MAIN_DRAW
graph=$(find_window Graph)
[ -n "$graph" ] || { echo "e2e: the graph window did not appear" >&2; exit 1; }
window_geometry "$graph"
GRAPH_X=$WIN_X GRAPH_Y=$WIN_Y GRAPH_W=$WIN_W GRAPH_H=$WIN_H
expect_graph "the session's five entries" rect 0 0 10 10 "${THREE_CURVES[@]}" 90D003:quartic E09304:absent
press Escape
poll_until 30 window_gone Graph || { echo "e2e: the graph window did not close" >&2; exit 1; }
main_geometry "$main"
exit_program
program_file="$(readlink -f "$program")"
for proc in /proc/[0-9]*; do
    if [ "$(readlink "$proc/exe" 2>/dev/null)" = "$program_file" ] \
        && tr '\0' '\n' < "$proc/environ" 2>/dev/null | grep -qx "VELMORA_E2E_RUN=$$"; then
        echo "e2e: a program process is still running (${proc#/proc/})" >&2
        exit 1
    fi
done
echo "e2e: passed"
