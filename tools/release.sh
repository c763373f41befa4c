#!/usr/bin/env bash
# Builds the release archive from the checked-out commit: dist/Torvin-<version>.zip holding the
# 32-bit Torvin.exe, skin/sakura.bmp and the Japanese read-me. One build only: a 32-bit host in
# Program Files has its settings file virtualised, and only a 32-bit Torvin sees the same file.
# The exe is the very file the i686 end-to-end tests drive (build/i686/shipped). The version
# comes from app/Version.h. The same commit gives the same bytes: the exe carries no link time,
# every file in the archive gets the commit's time, and names go in sorted with no extra attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh

version=$(sed -n 's/^#define TORVIN_VERSION "\([0-9A-Za-z.-]*\)"$/\1/p' app/Version.h)
[ -n "$version" ] || { echo "release: no TORVIN_VERSION in app/Version.h" >&2; exit 1; }
stamp=$(git log -1 --format=%ct)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: warning: the working tree differs from $(git rev-parse --short HEAD);" \
    "this archive is not that commit's" >&2
fi
python3 tools/art/make_sample_skin.py --check

cmake --preset i686 >/dev/null
cmake --build --preset i686 -j 2 --target torvin_shipped >/dev/null

# The read-me's name goes in as UTF-8 with the language-encoding flag (bit 11): Explorer on any
# Windows language, 7-Zip and Info-ZIP unzip all honour it, while a CP932 name with only the
# Unicode Path extra field would read garbled in Explorer outside Japanese Windows.
readme='Torvin読んでね.txt'
stage=build/release-stage
rm -rf "$stage"
mkdir -p "$stage/skin"
cp build/i686/shipped/Torvin.exe "$stage/"
cp tools/release/skin/sakura.bmp "$stage/skin/"
# The text stays CP932, as Notepad on Japanese Windows expects; '%' is never a CP932 trail byte.
LC_ALL=C sed "s/%VERSION%/$version/g" "tools/release/$readme" >"$stage/$readme"
mkdir -p dist
rm -f dist/Torvin-*.zip
archive="$root/dist/Torvin-$version.zip"
# Info-ZIP zip sets no flag for a UTF-8 name; Python's zipfile does, and takes fixed attributes.
python3 - "$stage" "$archive" "$stamp" <<'PY'
import os, sys, time, zipfile
stage, archive, stamp = sys.argv[1], sys.argv[2], int(sys.argv[3])
names = sorted(os.path.relpath(os.path.join(d, f), stage) for d, _, fs in os.walk(stage) for f in fs)
with zipfile.ZipFile(archive, "w") as z:
    for name in names:
        info = zipfile.ZipInfo(name, time.gmtime(stamp)[:6])
        info.create_system = 3
        info.external_attr = (0o100755 if name.endswith(".exe") else 0o100644) << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
PY

# Every reader must see the same names: Info-ZIP, Python's zipfile and 7-Zip.
want=$(printf '%s\n' Torvin.exe "$readme" skin/sakura.bmp | LC_ALL=C sort)
check() {
  local got
  got=$(LC_ALL=C sort)
  [ "$got" = "$want" ] || { printf 'release: %s lists\n%s\n' "$1" "$got" >&2; exit 1; }
}
LC_ALL=C.UTF-8 unzip -Z1 "$archive" | check "unzip"
python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$archive" | check "zipfile"
LC_ALL=C.UTF-8 7z l -slt -ba "$archive" | sed -n 's/^Path = //p' | tr '\\' '/' | check "7z"
echo "$(sha256sum "$archive" | cut -d' ' -f1)  dist/$(basename "$archive")"
