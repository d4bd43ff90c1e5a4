# Shared by the run, test, screenshot and benchmark commands. Source it; it defines functions only.
# ZINTAR_BUILD_DIR moves the build trees (default: build/ in the checkout).

ZINTAR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZINTAR_BUILD_DIR=${ZINTAR_BUILD_DIR:-$ZINTAR_ROOT/build}

say() { printf '%s\n' "$*" >&2; }

# Installs, with apt-get, whichever of the named Debian packages are missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        say "Run this as root (or install the packages above) to go on."
        return 1
    fi
    apt-get update -qq >/dev/null &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

ensure_build_tools() {
    ensure_packages cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest
}

ensure_wine_tools() {
    ensure_packages wine wine64 xvfb xauth
}

# build_zintar ARCH [cmake options...]: configures and builds build/ARCH with the toolchain of ARCH.
build_zintar() {
    local arch=$1
    shift
    local dir=$ZINTAR_BUILD_DIR/$arch
    mkdir -p "$ZINTAR_BUILD_DIR"
    cmake -S "$ZINTAR_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ZINTAR_ROOT/cmake/toolchain-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel "$@" >"$dir.configure.log" 2>&1 ||
        { mkdir -p "$dir"; cat "$dir.configure.log" >&2; return 1; }
    cmake --build "$dir" -j "$(nproc)" 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^gmake|^Consolidate' >&2
    return "${PIPESTATUS[0]}"
}

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds or the deadline passes.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# start_display: starts Xvfb on the first free display number; sets DISPLAY and ZINTAR_XVFB_PID.
start_display() {
    local n=${1:-90}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    ZINTAR_XVFB_PID=$!
    export DISPLAY=":$n"
    wait_until 20 test -S "/tmp/.X11-unix/X$n" || { say "Xvfb did not start on $DISPLAY"; return 1; }
}

stop_display() {
    [ -n "${ZINTAR_XVFB_PID:-}" ] && kill "$ZINTAR_XVFB_PID" 2>/dev/null && wait "$ZINTAR_XVFB_PID" 2>/dev/null
    ZINTAR_XVFB_PID=
}

# wine_environment PREFIX: the variables every wine call of ours runs with.
wine_environment() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
}

# make_prefix PREFIX: a ready wine prefix with its session started and detached from our output.
make_prefix() {
    wine_environment "$1"
    mkdir -p "$WINEPREFIX"
    # wine's background processes keep the output pipes of whoever starts them first: give them none.
    wineserver -p </dev/null >/dev/null 2>&1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot -i </dev/null >/dev/null 2>&1 || { say "wineboot failed in $WINEPREFIX"; return 1; }
    fi
    # Without a window manager every hide or close of a top-level window otherwise stalls 2 s.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_prefix() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k </dev/null >/dev/null 2>&1
    [ -n "${WINEPREFIX:-}" ] && wineserver -w </dev/null >/dev/null 2>&1
    return 0
}

# begin_wine_run NAME: a temporary folder $run_dir with an Xvfb display and a wine prefix of its
# own, all ended and removed when the calling script exits.
begin_wine_run() {
    run_dir=$(mktemp -d "/tmp/zintar-$1.XXXXXX")
    trap end_wine_run EXIT
    trap 'exit 130' INT TERM
    start_display || return 1
    say "Preparing a wine prefix on $DISPLAY..."
    make_prefix "$run_dir/prefix"
}

end_wine_run() {
    stop_prefix
    stop_display
    rm -rf "$run_dir"
}
