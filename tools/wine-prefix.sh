#!/usr/bin/env bash
# Creates the Wine prefix Torvin is tested in: Japanese font replacements, marlett, a virtual desktop.
# Reuses an existing prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh"

stamp="$WINEPREFIX/.torvin-prefix-v1"
[ -f "$stamp" ] && exit 0

echo "setup: creating Wine prefix $WINEPREFIX"
wine wineboot -i >/dev/null 2>&1

font=$(fc-list ':lang=ja' file | grep -i -m1 -E 'ipag|gothic|noto.*cjk' | cut -d: -f1)
[ -n "$font" ] || { echo "setup: no Japanese font found" >&2; exit 1; }
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f "$font" "$fonts/"
cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
face=$(fc-scan --format '%{family[0]}' "$font")

# Wine ignores fontconfig aliases and mangles Japanese names in REGEDIT4 files: UTF-16LE it is.
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for name in "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "ＭＳ Ｐ明朝" "MS PGothic" "MS Gothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
    printf '"%s"="%s"\r\n' "$name" "$face"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
wine regedit /S "$reg"
rm -f "$reg"
touch "$stamp"
