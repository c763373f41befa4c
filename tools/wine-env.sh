# Sourced by the build, test and run scripts: the environment in which Torvin runs under Wine.
# Starts a private Xvfb when there is no usable display and keeps one wineserver alive, so that
# no test pays Wine's start-up cost.
export WINEPREFIX=${WINEPREFIX:-$HOME/.torvin-wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8

# Some kernels are built or booted without 32-bit emulation; the i686 builds cannot run there.
torvin_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

torvin_display_ok() { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }

if ! torvin_display_ok; then
  export DISPLAY=:77
  if ! torvin_display_ok; then
    rm -f /tmp/.X77-lock /tmp/.X11-unix/X77
    (setsid Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &)
    for _ in $(seq 1 100); do torvin_display_ok && break; sleep 0.1; done
  fi
fi

# A persistent wineserver, started before any Wine program so that no program starts one of its
# own: a server and the prefix's system programs keep the output of the program that started
# them open, and a pipe held open that way never ends for whoever reads it (a CI log, `| tee`).
# The server needs the prefix folder; it answers non-zero when one is already running.
mkdir -p "$WINEPREFIX"
(setsid wineserver -p </dev/null >/dev/null 2>&1 &) || true
