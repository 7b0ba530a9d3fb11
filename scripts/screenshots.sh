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
trap 'kill $pid 2>/dev/null || true; rm -f "$shot"' EXIT

main=$(find_window Velmora)
window_geometry "$main"
click_at 274 142                 # the expression box
type_text 'x^2+2x+1'
press Return
type_text 'sin(x)'
press Return
click_at 70 215                  # the first sample
press Down Down Down Down Down   # "(x^2)/4-2"
click_at 179 252                 # add it to the list
click_at 274 142
type_text 'sqrt(abs(x))'         # left in the box, to show typing
import -window "$main" "$out/main-window.png"

click_at 519 312                 # Draw Graph
graph=$(find_window Graph)
window_geometry "$graph"
# Waits until the three curves are drawn.
drawn() {
    screenshot "$shot"
    QT_QPA_PLATFORM=offscreen "$VELMORA_ROOT/build/tests/screencheck" "$shot" "$WIN_X" "$WIN_Y" "$WIN_W" "$WIN_H" \
        rect 0 0 10 10 A08601:square F04902:sin 400D03:quarter >/dev/null 2>&1
}
poll_until 30 drawn
import -window "$graph" "$out/graph-window.png"
echo "Saved $out/main-window.png and $out/graph-window.png"
