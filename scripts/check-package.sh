#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made: its dependencies
# were computed, it holds every file the installed program needs (its
# manual page, copyright file and changelog among them), lintian finds no
# error and no warning in it, its desktop entry and AppStream metadata pass
# their validators, and the program unpacked from it into a temporary
# folder prints the project's version, draws a graph into a file with no
# display (the offscreen platform the package's Qt brings) and shows its
# sample expressions. The program is run from the unpacked folder with the
# desktop's data folders pointed elsewhere, so it can only find its samples
# through the path from its own folder.
#
#   check-package.sh [BUILD_FOLDER]     (default: build-package)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The sample list is looked at on a virtual X display.
if [ "${1:-}" != --on-display ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --on-display "$@"
fi
shift
source "$here/common.sh"
source "$VELMORA_ROOT/tests/e2e/desktop-user.sh"
build="${1:-$VELMORA_PACKAGE_BUILD}"

fail() {
    echo "check-package: $*" >&2
    exit 1
}

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
deb="$build/velmora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "$deb is missing; run scripts/package.sh"
app_id=org.velmora.velmora

work="$(mktemp -d)"
pid=
finish() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT

# Dependencies computed by dpkg-shlibdeps: the Qt libraries the program links.
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
[[ "$depends" == *libqt6widgets6* ]] || fail "the package's dependencies were not computed"

# Every file the installed program needs.
dpkg-deb -c "$deb" | awk '{ print $NF }' > "$work/contents"
expected=(./usr/bin/velmora ./usr/share/velmora/samples.txt ./usr/share/man/man1/velmora.1.gz
          ./usr/share/doc/velmora/copyright ./usr/share/doc/velmora/changelog.gz
          ./usr/share/applications/$app_id.desktop ./usr/share/metainfo/$app_id.metainfo.xml
          ./usr/share/icons/hicolor/scalable/apps/velmora.svg ./usr/share/mime/packages/velmora-session.xml)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/velmora.png")
done
for path in "${expected[@]}"; do
    grep -qxF "$path" "$work/contents" || fail "$path is not in the package"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"

# Debian's own checks of the package: no error and no warning.
lintian_report="$(lintian --tag-display-limit 0 "$deb" 2>&1)" || fail "lintian: $lintian_report"
! grep -qE '^[EW]: ' <<<"$lintian_report" || fail "lintian: $lintian_report"

# The validators, on the files as the package installs them: any error or
# warning fails.
desktop_report="$(desktop-file-validate "$root/usr/share/applications/$app_id.desktop" 2>&1)" \
    || fail "desktop-file-validate: $desktop_report"
[ -z "$desktop_report" ] || fail "desktop-file-validate: $desktop_report"
grep -qx 'MimeType=application/x-velmora-session;' "$root/usr/share/applications/$app_id.desktop" \
    && grep -qx 'Exec=velmora %f' "$root/usr/share/applications/$app_id.desktop" \
    || fail "the desktop entry does not take session files"

# The session type: a database built from it alone must know *.velmora, and
# a session's content, as application/x-velmora-session.
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/velmora-session.xml" "$work/mime/packages/"
mime_report="$(XDG_DATA_DIRS="$work" XDG_DATA_HOME="$work" update-mime-database "$work/mime" 2>&1)" || fail "update-mime-database: $mime_report"
[ -z "$mime_report" ] || fail "update-mime-database: $mime_report"
grep -q '^50:application/x-velmora-session:\*\.velmora$' "$work/mime/globs2" \
    || fail "the MIME database built from velmora-session.xml does not know *.velmora"
grep -q 'velmora-session' "$work/mime/magic" || fail "the MIME database does not know a session's content"
for check in validate validate-tree; do
    target="$root/usr/share/metainfo/$app_id.metainfo.xml"
    [ $check = validate ] || target="$root"
    report="$(appstreamcli $check --no-net "$target" 2>&1)" || fail "appstreamcli $check: $report"
    ! grep -qE '^[EW]:' <<<"$report" || fail "appstreamcli $check: $report"
done

program="$root/usr/bin/velmora"
shown="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)"
[ "$shown" = "Velmora $version" ] || fail "--version printed '$shown', not 'Velmora $version'"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --export "$work/graph.png" "sin x" 2>/dev/null \
    || fail "--export failed"
[ "$(file -b --mime-type "$work/graph.png")" = image/png ] || fail "--export wrote no PNG picture"

# Started from another folder, with no data folders of the desktop to fall
# back on, the unpacked program must list its samples: the inside of the
# sample list then holds dark text pixels (empty, it is all white).
mkdir "$work/elsewhere" "$work/no-data"
unset QT_QPA_PLATFORM
(cd "$work/elsewhere" && XDG_DATA_HOME="$work/no-data" XDG_DATA_DIRS="$work/no-data" \
    exec "$program" >"$work/program.log" 2>&1) &
pid=$!
main=$(find_window Velmora) || fail "the unpacked program showed no main window"
read -r list_x list_y list_w list_h <<<"$MAIN_SAMPLE_LIST_TEXT"
main_geometry "$main"
list_y=$((list_y + MAIN_MENU_HEIGHT))
list_has_text() {
    import -window "$main" "$work/main.png" 2>/dev/null || return 1
    local dark
    dark="$(convert "$work/main.png" -crop "${list_w}x${list_h}+${list_x}+${list_y}" +repage \
        -colorspace Gray -threshold 50% -format '%[fx:round(w*h*(1-mean))]' info:)"
    [ "$dark" -gt 100 ]
}
poll_until 20 list_has_text || fail "the unpacked program shows no samples; its output: $(cat "$work/program.log")"
echo "check-package: $deb passed"
