#!/usr/bin/env bash
# Takes docs/main-window.png: the real main window with a few bindings, under wine on Xvfb.
set -u
source "$(dirname "$0")/common.sh"
ensure_build_tools && ensure_wine_tools && ensure_packages imagemagick x11-utils || exit 1
build_zintar x64 -DZINTAR_TESTS=OFF || exit 1

begin_wine_run shot || exit 1

# A few bindings, as the program stores them: type and keycode as 4 little-endian bytes.
store() {  # name type keycode-hex command
    local key="HKCU\\Software\\Orvane\\Zintar\\Data\\$1"
    wine reg add "$key" /v type /t REG_BINARY /d "0${2}000000" /f >/dev/null 2>&1
    wine reg add "$key" /v keycode /t REG_BINARY /d "$3" /f >/dev/null 2>&1
    wine reg add "$key" /v command /t REG_SZ /d "$4" /f >/dev/null 2>&1
}
store "PLAY" 3 41060000 "PLAY"
store "NEXT" 3 4e060000 "NEXT"
store "Screen Saver" 0 53060000 ""
store "Command prompt" 2 43060000 "cmd.exe"
store "Hide the chat window" 1 48060000 "Chat"
store "Notes" 2 4e070000 "notepad.exe"

wine "$ZINTAR_BUILD_DIR/x64/bin/Zintar.exe" </dev/null >/dev/null 2>&1 &
window_id() { xwininfo -root -tree 2>/dev/null | awk '/"Zintar": \(/ { print $1; exit }'; }
has_window() { [ -n "$(window_id)" ]; }
wait_until 90 has_window || { say "the main window did not appear"; exit 1; }
id=$(window_id)
wait_until 10 sh -c "xwininfo -id $id | grep -q 'IsViewable'" || exit 1
mkdir -p "$ZINTAR_ROOT/docs"
# The window draws itself right after it is mapped: take the shot once two captures agree.
prev=
for _ in $(seq 1 50); do
    import -window "$id" "$run_dir/shot.png" 2>/dev/null
    sum=$(md5sum <"$run_dir/shot.png")
    [ "$sum" = "$prev" ] && break
    prev=$sum
done
cp "$run_dir/shot.png" "$ZINTAR_ROOT/docs/main-window.png"
say "Wrote docs/main-window.png"
