#!/usr/bin/env bash
# Builds Torvin and starts it under Wine. Without an argument it runs in a demo working folder
# (build/demo) whose stand-in host lives in build/demo/host; with one, in that working folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh
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
exec /usr/lib/wine/wine64 ./Torvin.exe
