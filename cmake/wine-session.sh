# Sourced by the scripts that run Windows programs: a private Xvfb on a free display and a
# persistent wineserver for the build tree's prefix, both stopped when the script exits.
#   source cmake/wine-session.sh <build-dir>
export WINEPREFIX="$(cd "$1" && pwd)/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Windows need a display, even in tests: a private Xvfb on a free display number.
qln_display=99
while [ -e "/tmp/.X$qln_display-lock" ] || [ -e "/tmp/.X11-unix/X$qln_display" ]; do
  qln_display=$((qln_display + 1))
done
Xvfb ":$qln_display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
qln_xvfb_pid=$!
export DISPLAY=":$qln_display"
qln_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$qln_xvfb_pid" >/dev/null 2>&1 || true
}
trap qln_session_stop EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$qln_display" ] && break; sleep 0.1; done
# A persistent wineserver, started with its streams detached: Wine's service processes would
# otherwise inherit the caller's pipes, and a caller reading them (ctest) would never see the end
# of a program's output.
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1 || true
