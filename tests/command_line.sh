#!/usr/bin/env bash
# The program's command line: --help and --version answer without a
# display; an unknown option or an argument is refused with status 2 and a
# message on standard error, without a display too, so before any window
# could open. Qt's own options are let through (the program then starts,
# and runs on until the timeout).
#
#   command_line.sh PROGRAM VERSION
set -euo pipefail
program="$1"
version="$2"
failures=0

# check STATUS STREAM PATTERN ARGUMENT...: the program run with the
# arguments ends with STATUS and prints a line matching PATTERN (an extended
# regular expression) on STREAM (out or err).
check() {
    local status="$1" stream="$2" pattern="$3" out err rc=0
    shift 3
    out="$(mktemp)" err="$(mktemp)"
    if [ "$status" = 124 ]; then
        QT_QPA_PLATFORM=offscreen timeout 3 "$program" "$@" >"$out" 2>"$err" || rc=$?
    else
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "$@" >"$out" 2>"$err" || rc=$?
    fi
    local text="$out"
    [ "$stream" = out ] || text="$err"
    if [ "$rc" != "$status" ] || ! grep -qE -- "$pattern" "$text"; then
        echo "FAIL: velmora $*: status $rc (wanted $status), wanted /$pattern/ on std$stream"
        echo "  stdout: $(cat "$out")"
        echo "  stderr: $(cat "$err")"
        failures=$((failures + 1))
    fi
    rm -f "$out" "$err"
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

[ "$failures" = 0 ] || exit 1
echo "command line: all checks passed"
