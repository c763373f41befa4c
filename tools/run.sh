#!/usr/bin/env bash
# Builds Torvin and starts it under Wine. Without an argument it runs in a demo working folder
# (build/demo) whose stand-in host lives in build/demo/host; with one, in that working folder.
# On a machine without a display it runs on a private Xvfb and saves what that shows to
# build/demo/screen.png every few seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh
# Asked before wine-env.sh, which starts the private Xvfb when there is no usable display.
has_display=0
{ [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } && has_display=1
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
cmake --preset x86_64 >/dev/null
cmake --build --preset x86_64 -j "$(nproc)" --target Torvin Nimbrel20

work=${1:-$root/build/demo}
if [ $# -eq 0 ]; then
  mkdir -p "$work/host" "$work/skin"
  cp -f build/x86_64/tools/Nimbrel20.exe "$work/host/"
  [ -f "$work/host/Nimbrel設定.nbc" ] || printf 'stand-in host settings\r\n' > "$work/host/Nimbrel設定.nbc"
  echo "run: demo working folder $work; choose $work/host as the host folder at first start"
fi
cp -f build/x86_64/app/Torvin.exe "$work/"
cd "$work"
echo "run: DISPLAY=$DISPLAY"
if [ "$has_display" = 1 ]; then
  exec /usr/lib/wine/wine64 ./Torvin.exe
fi

screen=$root/build/demo/screen.png
mkdir -p "$(dirname "$screen")"
echo "run: no display here: Torvin runs on a private Xvfb ($DISPLAY) that nobody can see;"
echo "run: what it shows is saved to $screen every 3 s while it runs"
/usr/lib/wine/wine64 ./Torvin.exe &
torvin=$!
trap 'kill "$torvin" 2>/dev/null' INT TERM
while kill -0 "$torvin" 2>/dev/null; do
  # Written beside and renamed, so that a viewer never opens half a file.
  import -display "$DISPLAY" -window root "$screen.part.png" 2>/dev/null && mv -f "$screen.part.png" "$screen"
  sleep 3
done
wait "$torvin"
