#!/usr/bin/env bash
# Creates the Wine prefix Torvin is tested in: Japanese font replacements, marlett, a virtual desktop.
# Reuses an existing prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh"

# v3: both loaders run in the prefix; v2: made while 32-bit programs could not start.
stamp="$WINEPREFIX/.torvin-prefix-v3"
[ -f "$stamp" ] && exit 0
if torvin_runs_32bit; then
  loader=/usr/lib/wine/wine
else
  # /usr/bin/wine would pick the 32-bit loader; the 64-bit one serves the x86_64 builds alone.
  loader=/usr/lib/wine/wine64
  stamp="$WINEPREFIX/.torvin-prefix-v2"
  [ -f "$stamp" ] && exit 0
fi

# A prefix made without wine32 has an empty syswow64; the bootstrap mode fills it.
if [ -f "$WINEPREFIX/.torvin-prefix-v2" ]; then
  echo "setup: updating Wine prefix $WINEPREFIX for 32-bit programs"
  WINEBOOTSTRAPMODE=1 "$loader" wineboot -u >/dev/null 2>&1
  rm -f "$WINEPREFIX/.torvin-prefix-v2"
  touch "$stamp"
  exit 0
fi

echo "setup: creating Wine prefix $WINEPREFIX"
"$loader" wineboot -i >/dev/null 2>&1

# The proportional face stands in for the proportional MS faces, the fixed one for the others.
fixed=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
proportional=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
for font in "$fixed" "$proportional"; do
  [ -f "$font" ] || { echo "setup: missing Japanese font $font" >&2; exit 1; }
done
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f "$fixed" "$proportional" "$fonts/"
cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || true
fixedFace=$(fc-scan --format '%{family[0]}' "$fixed")
proportionalFace=$(fc-scan --format '%{family[0]}' "$proportional")

# Wine ignores fontconfig aliases and mangles Japanese names in REGEDIT4 files: UTF-16LE it is.
reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for name in "ＭＳ Ｐゴシック" "ＭＳ Ｐ明朝" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2"; do
    printf '"%s"="%s"\r\n' "$name" "$proportionalFace"
  done
  for name in "ＭＳ ゴシック" "MS Gothic"; do
    printf '"%s"="%s"\r\n' "$name" "$fixedFace"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n'
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
"$loader" regedit /S "$reg" </dev/null >/dev/null 2>&1
rm -f "$reg"
touch "$stamp"
