#!/usr/bin/env bash
# What the window tells an X11 desktop, so that it is matched with the installed desktop entry and
# shown with the program's icon: the class the entry names, and the icon in every installed size.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
start_program app "$work/prog"
main=$(wait_window "Varactor Diode")
wait_state event startup

xprop -id "$main" WM_CLASS | grep -q '"varactor"' || fail "the window's class is not varactor: $(xprop -id "$main" WM_CLASS)"
entry=$(grep -h '^StartupWMClass=' "$source_dir"/resources/desktop/*.desktop)
[ "$entry" = StartupWMClass=varactor ] || fail "the desktop entry expects the class ${entry#*=}"
# _NET_WM_ICON holds each offered size as width, height, pixels.
icon_words=$(xprop -id "$main" 32c _NET_WM_ICON | sed 's/^[^=]*= *//' | tr -d ' ' | tr ',' '\n')
sizes=$(echo "$icon_words" | awk 'skip > 0 { skip--; next } { w = $1; getline h; print w "x" h; skip = w * h }' | sort -n | tr '\n' ' ')
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
  [[ " $sizes " == *" $size "* ]] || fail "the window offers no $size icon (it offers $sizes)"
done

echo "$test_name: passed"
