#!/usr/bin/env bash
# Remakes the README's pictures from the real program: builds it, starts it
# on a virtual X display, enters three expressions as a user would, and saves
# the main window and the graph window as docs/screenshots/*.png.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != --on-display ]; then
    velmora_require_packages "${VELMORA_BUILD_PACKAGES[@]}" "${VELMORA_TEST_PACKAGES[@]}"
    velmora_build "$VELMORA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --on-display
fi

source "$VELMORA_ROOT/tests/e2e/desktop-user.sh"
unset QT_QPA_PLATFORM
out="$VELMORA_ROOT/docs/screenshots"
mkdir -p "$out"
shot="$(mktemp --suffix=.png)"

"$VELMORA_ROOT/build/bin/velmora" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -f "$shot" "$shot".*.png' EXIT

main=$(find_window Velmora)
main_geometry "$main"
enter_three_expressions
click_at $MAIN_EXPRESSION_BOX
type_text 'sqrt(abs(x))'   # left in the box, to show typing
click_at $MAIN_DRAW

graph=$(find_window Graph)
window_geometry "$graph"
# Waits until the three curves are drawn; every key typed before is then
# handled too.
drawn() {
    screenshot "$shot"
    QT_QPA_PLATFORM=offscreen "$VELMORA_ROOT/build/tests/screencheck" "$shot" "$WIN_X" "$WIN_Y" "$WIN_W" "$WIN_H" \
        rect 0 0 10 10 "${THREE_CURVES[@]}" >/dev/null 2>&1
}
poll_until 30 drawn
import -window "$graph" -strip "$out/graph-window.png"

# The graph window covers the main window: close it, then wait until two
# pictures of the main window in a row are the same.
press Escape
poll_until 30 window_gone Graph
main_settled() {
    import -window "$main" "$shot.1.png"
    sleep 0.2
    import -window "$main" "$shot.2.png"
    [ "$(compare -metric AE "$shot.1.png" "$shot.2.png" null: 2>&1)" = 0 ]
}
poll_until 30 main_settled
convert "$shot.2.png" -strip "$out/main-window.png"
rm -f "$shot.1.png"
echo "Saved $out/main-window.png and $out/graph-window.png"
