#!/usr/bin/env bash
# Builds Zintar (x64) and starts it under wine, on a virtual display of its own when there is no
# DISPLAY. Zintar keeps running after this command returns; `bash scripts/run.sh --stop` ends it.
# The wine prefix (and so the bindings and options) lives in $ZINTAR_WINEPREFIX,
# by default ~/.local/share/zintar/wine.
set -u
source "$(dirname "$0")/common.sh"

prefix=${ZINTAR_WINEPREFIX:-$HOME/.local/share/zintar/wine}
state=$prefix.display  # the Xvfb we started: "DISPLAY PID"

stop() {
    wine_environment "$prefix"
    [ -d "$prefix" ] && wineserver -k </dev/null >/dev/null 2>&1
    if [ -f "$state" ]; then
        read -r _ pid <"$state"
        kill "$pid" 2>/dev/null
        rm -f "$state"
    fi
    say "Zintar stopped."
}

if [ "${1:-}" = "--stop" ]; then
    stop
    exit 0
fi

ensure_build_tools || exit 1
ensure_wine_tools || exit 1
say "Building Zintar (x64)..."
ZINTAR_BUILD_DIR=$ZINTAR_BUILD_DIR/run build_zintar x64 -DZINTAR_TESTS=OFF || exit 1
exe=$ZINTAR_BUILD_DIR/run/x64/bin/Zintar.exe

if [ -z "${DISPLAY:-}" ]; then
    if [ -f "$state" ] && read -r display pid <"$state" && kill -0 "$pid" 2>/dev/null; then
        export DISPLAY=$display
    else
        start_display || exit 1
        mkdir -p "$(dirname "$state")"
        echo "$DISPLAY $ZINTAR_XVFB_PID" >"$state"
        say "No display was set: started Xvfb on $DISPLAY (pid $ZINTAR_XVFB_PID)."
    fi
fi

say "Preparing the wine prefix $prefix..."
make_prefix "$prefix" || exit 1
setsid wine "$exe" </dev/null >/dev/null 2>&1 &
say "Zintar is running on display $DISPLAY (a second start brings its window forward)."
say "Stop it with: bash scripts/run.sh --stop"
