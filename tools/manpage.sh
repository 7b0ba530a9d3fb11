#!/usr/bin/env bash
# Writes the manual page velmora.1 from the program's own --version and
# --help texts, so the page says what the program says of itself.
#
#   manpage.sh PROGRAM OUTPUT
set -euo pipefail
program="$1"
output="$2"
version="$("$program" --version)"
"$program" --help | awk -v version="$version" '
function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    if (text ~ /^[.\047]/)
        text = "\\&" text
    return text
}
NR == 1 {
    print ".TH VELMORA 1 \"\" \"" version "\" \"User Commands\""
    print ".SH NAME"
    print "velmora \\- draw the graphs of mathematical expressions"
    print ".SH SYNOPSIS"
    print ".B velmora"
    print "[\\fIoptions\\fR] [\\fIexpression\\fR...]"
    print ".SH DESCRIPTION"
    next
}
/^Options:$/   { if (verbatim) print ".fi"; verbatim = 0; paragraph = 0; section = 1; print ".SH OPTIONS"; next }
/^Arguments:$/ { section = 1; print ".SH ARGUMENTS"; next }
section == 0 {
    if ($0 == "") { if (verbatim) print ".fi"; verbatim = 0; paragraph = 1; next }
    if (paragraph) print ".PP"
    paragraph = 0
    if ($0 ~ /^  /) { if (!verbatim) print ".nf"; verbatim = 1; print roff(substr($0, 3)); next }
    if (verbatim) print ".fi"
    verbatim = 0
    print roff($0)
    next
}
$0 == "" { next }
/^  [^ ]/ {
    text = substr($0, 3)
    split(text, parts, /  +/)
    print ".TP"
    description = substr(text, length(parts[1]) + 1)
    sub(/^ +/, "", description)
    print ".B " roff(parts[1])
    print roff(description)
    next
}
{ sub(/^ +/, ""); print roff($0) }
' > "$output"
