#!/usr/bin/env bash
# The program's command line: --help and --version answer without a
# display; an unknown option or an argument is refused with status 2 and a
# message on standard error, without a display too, so before any window
# could open. Qt's own options are let through (the program then starts,
# and runs on until the timeout). --export, --value, --points and --table
# need no display either, with expressions or a session; what they refuse
# leaves no file behind.
#
#   command_line.sh PROGRAM VERSION
set -euo pipefail
program="$1"
version="$2"
failures=0

# check STATUS STREAM PATTERN ARGUMENT...: the program run with the
# arguments, in an empty folder, ends with STATUS and prints a line matching
# PATTERN (an extended regular expression; none when empty) on STREAM (out
# or err). A run that fails leaves the folder empty; with expect_file set, a
# run leaves that file there; with output set, standard output goes there;
# with quiet set, nothing may be written on standard error. Runs are made as
# scripts are run, without a display and without a runtime folder.
check() {
    local status="$1" stream="$2" pattern="$3" out err rc=0 folder
    shift 3
    out="$(mktemp)" err="$(mktemp)" folder="$(mktemp -d)"
    if [ "$status" = 124 ]; then
        (cd "$folder" && QT_QPA_PLATFORM=offscreen timeout 3 "$program" "$@") >"$out" 2>"$err" || rc=$?
    else
        (cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR \
            timeout 10 "$program" "$@") \
            >"${output:-$out}" 2>"$err" || rc=$?
    fi
    local text="$out" left
    [ "$stream" = out ] || text="$err"
    left="$(ls -A "$folder")"
    if [ "$rc" != "$status" ] || { [ -n "$pattern" ] && ! grep -qE -- "$pattern" "$text"; } \
        || { [ -n "${quiet:-}" ] && [ -s "$err" ]; } \
        || { [ "$rc" != 0 ] && [ -n "$left" ]; } || [ ! -s "$folder/${expect_file:-.}" ]; then
        echo "FAIL: velmora $*: status $rc (wanted $status), wanted /$pattern/ on std$stream"
        echo "  stdout: $(cat "$out")"
        echo "  stderr: $(cat "$err")"
        echo "  files left: $left"
        failures=$((failures + 1))
    fi
    rm -rf "$out" "$err" "$folder"
}

check 0 out "^Velmora ${version//./\\.}\$" --version
check 0 out "^Usage: .*velmora \[options\] \[expression\.\.\.\]\$" --help
check 0 out "^Velmora ${version//./\\.}\$" -v
check 2 err "^velmora: unknown option '--foo'\$" --foo
check 2 err "^velmora: unknown option '-z'\$" -z
check 2 err "^velmora: unexpected argument 'graph\.txt'\$" graph.txt
check 2 err "^Try 'velmora --help' for more information\.\$" --help graph.txt --foo
check 2 err "^velmora: unknown option '-foo'\$" -foo=1
check 124 err "" -platform offscreen -reverse

# Drawing and evaluating from scripts, and what they refuse.
expect_file=graph.svg check 0 out "" --export graph.svg -- -x "sin(x"
check 0 out "^x\^2= 2\.25 \$" --value 1.5 "x^2" "2x"
check 0 out "^2\*x= 3 \$" --value 1.5 "x^2" "2x"
check 2 err "^velmora: \"2x\": \"2x\" is not a number, x or pi\. Write \"2\*x\" for a product\.\$" \
    --value 1.5 --no-optimize "2x"
check 0 out "^x= 1 \$" --value 1 "   " "x"
check 0 out "^root	1\.4142135623730951	0	x\^2-2\$" --points "x^2-2"
check 0 out "^intersection	0\.7853981633974483	0\.7071067811865475	sin \(x\)	cos \(x\)\$" --points -x 0:2 "sin x" "cos x"
check 2 err "^velmora: options '--export', '--value' and '--points' cannot be used together\$" --points --value 1 x
check 2 err "^velmora: \"x\*-1\": \"\*-\" puts a sign right after an operator, .* Write \"x\*\(-1\)\" for a sign" \
    --value 2 "x*-1"
check 2 err "^velmora: \"sin\(x\)\)\": Invalid brackets encountered\$" --export graph.png x "sin(x))"
check 2 err "^velmora: \"x{60}…\": The expression is too long\. " --export graph.png "$(printf 'x%.0s' {1..32766})"
check 2 err "^velmora: Invalid starting and ending range specified\$" --export graph.png --x 5:5 x
check 2 err "^velmora: Y-axis Start must be a number\.\$" --export graph.png --y a:5 x
check 2 err "^velmora: Y-axis No\. of divisions must be a number from 1 to 32767\.\$" --export graph.bmp --divisions 5:0 x
check 2 err "^velmora: Polar Sensitivity must be a number from 1 to 32767\.\$" --export graph.pdf --sensitivity 40000 x
check 2 err "^velmora: The X-axis range from Start to End is too small or too large to draw\.\$" \
    --export graph.png --x 1e-300:2e-300 x
check 2 err "^velmora: option '-x' takes two values with a ':' between them" --export graph.png -x 5 x
check 2 err "^velmora: option '--export' is given more than once\$" --export a.png --export b.png x
expect_file=graph.png quiet=1 check 0 out "" --export graph.png --sensitivity 2000 x
check 2 err "^velmora: \"(x\+){30}…\": \"q\" is not x, pi" --value 1 "$(printf 'x+%.0s' {1..40})q"
check 2 err "^velmora: \"x \+1\": an expression cannot hold a line break\$" --value 1 $'x\n+1'
check 2 err "is not valid text in the system's encoding\$" --export $'o\xffut.png' x
check 2 err "^velmora: cannot open the window: there is no display" 
check 2 err "^velmora: cannot open the window: there is no display" -platform xcb
check 2 err "^velmora: cannot tell the format of \"graph\.jpg\"" --export graph.jpg x
check 2 err "^velmora: option '--export' needs at least one expression, or a session\$" --export graph.png
check 2 err "^velmora: options '--export' and '--value' cannot be used together\$" --export graph.png --value 1 x
check 2 err "^velmora: option '--grid' is used with '--export' only\$" --value 1 --grid x
check 2 err "^velmora: Enter a number as the value for evaluation\.\$" --value a x
LC_ALL=C check 2 err "^velmora: Enter a number as the value for evaluation\.\$" --value 1,000 x
check 1 err "^velmora: cannot write \"missing/graph\.png\": " --export missing/graph.png x

# Output that cannot be written is said, with status 1: standard output on a
# full device, a picture through a link to one. A FIFO is written into, not
# replaced, so its reader gets the drawing.
output=/dev/full check 1 err "^velmora: cannot write to standard output: " --value 1 x
output=/dev/full check 1 err "^velmora: cannot write to standard output: " --help
scratch="$(mktemp -d)"
ln -s /dev/full "$scratch/full.png"
LC_ALL=C check 1 err "^velmora: cannot write \".*full\.png\": No space left on device\$" --export "$scratch/full.png" x
mkfifo "$scratch/pipe.svg"
cat "$scratch/pipe.svg" >"$scratch/piped" &
check 0 out "" --export "$scratch/pipe.svg" x
wait
if [ ! -p "$scratch/pipe.svg" ] || ! grep -q "<svg" "$scratch/piped" || [ ! -L "$scratch/full.png" ]; then
    echo "FAIL: the FIFO or the link to /dev/full was replaced, or the FIFO's reader got no drawing"
    failures=$((failures + 1))
fi
rm -rf "$scratch"

# The table of values, as the table window copies it in full.
check 0 out "^0\.5	0\.25	-0\.6931471805599453\$" --table 0:1:0.5 "x^2" "ln x"
check 0 out "^x	x\^2	ln \(x\)\$" --table 0:1:0.5 "x^2" "ln x"
check 0 out "^0	0	Error\$" --table 0:1:0.5 "x^2" "ln x"
check 2 err "^velmora: The step must be greater than 0\.\$" --table 0:1:0 x
check 2 err "^velmora: option '--table' takes three values with a ':' between them, as in 0:1:0\.1\$" --table 0:1 x

# A session is where --export, --value and --points start from: its
# expressions come first, its view and mode unless an option says otherwise.
scratch="$(mktemp -d)"
cat >"$scratch/lesson.velmora" <<'SESSION'
{"format": "velmora-session", "version": 1, "expressions": ["sin (x)"], "mode": "polar",
 "view": {"x": {"centre": 0, "halfRange": 2, "divisions": 4}, "y": {"centre": 0, "halfRange": 2, "divisions": 4}}}
SESSION
echo '{"format": "velmora-session", "version": 2}' >"$scratch/newer.velmora"
check 0 out "^sin \(x\)= \.841471 \$" --value 1 --session "$scratch/lesson.velmora" x
check 0 out "^x= 1 \$" --value 1 --session "$scratch/lesson.velmora" x
check 2 err "^velmora: The session \".*newer\.velmora\" cannot be opened: it was written by a newer version" \
    --value 1 --session "$scratch/newer.velmora"
check 2 err "^velmora: The session \".*missing\.velmora\" cannot be opened: " --points --session missing.velmora
( cd "$scratch" && env -u DISPLAY -u WAYLAND_DISPLAY "$program" --export a.png --session lesson.velmora "x^2" \
    && env -u DISPLAY -u WAYLAND_DISPLAY "$program" --export b.png --polar -x -2:2 -y -2:2 --divisions 4:4 \
        "sin (x)" "x^2" \
    && cmp -s a.png b.png \
    && env -u DISPLAY -u WAYLAND_DISPLAY "$program" --export c.png --session lesson.velmora -x -5:5 --grid \
    && env -u DISPLAY -u WAYLAND_DISPLAY "$program" --export d.png --polar -x -5:5 -y -2:2 --divisions 4:4 --grid \
        "sin (x)" \
    && cmp -s c.png d.png ) 2>/dev/null || {
    echo "FAIL: --export --session drew another picture than the same expressions and options given directly"
    failures=$((failures + 1))
}
rm -rf "$scratch"

[ "$failures" = 0 ] || exit 1
echo "command line: all checks passed"
