#!/usr/bin/env bash
# Builds the release archives from the checked-out commit:
#   dist/Torvin-<version>-i686.zip and dist/Torvin-<version>-x86_64.zip
# each holding Torvin.exe, skin/sakura.bmp and the Japanese read-me. The version comes from
# app/Version.h. The same commit gives the same bytes: the exe carries no link time, every file
# in the archive gets the commit's time, and names go in sorted with no extra attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/setup.sh

version=$(sed -n 's/^#define TORVIN_VERSION "\([0-9A-Za-z.-]*\)"$/\1/p' app/Version.h)
[ -n "$version" ] || { echo "release: no TORVIN_VERSION in app/Version.h" >&2; exit 1; }
stamp=$(git log -1 --format=%ct)
# The compiler's dates and strip's PE header time (it would stamp the present) take this one.
export SOURCE_DATE_EPOCH=$stamp
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: warning: the working tree differs from $(git rev-parse --short HEAD);" \
    "these archives are not that commit's" >&2
fi
python3 tools/art/make_sample_skin.py --check

# Windows Explorer on a Japanese system reads zip entry names without the UTF-8 flag as code
# page 932, and Info-ZIP zip stores names as the bytes it finds on disk: so the read-me is staged
# under its CP932 name.
readme_utf8='Torvin読んでね.txt'
readme_cp932=$(printf '%s' "$readme_utf8" | iconv -f UTF-8 -t CP932)
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2

mkdir -p dist
for arch in i686 x86_64; do
  echo "== release $arch"
  build="build/release-$arch"
  rm -rf "$build"
  cmake --preset "$arch" -B "$build" -DTORVIN_TESTS=OFF >/dev/null
  cmake --build "$build" -j "$jobs" --target Torvin >/dev/null

  stage="build/release-stage/$arch"
  rm -rf "$stage"
  mkdir -p "$stage/skin"
  # Symbols are of no use to users and only grow the download.
  "$arch-w64-mingw32-strip" -o "$stage/Torvin.exe" "$build/app/Torvin.exe"
  cp tools/release/skin/sakura.bmp "$stage/skin/"
  # The placeholder starts with '%', which is never the second byte of a CP932 character.
  LC_ALL=C sed "s/%VERSION%/$version/g" "tools/release/$readme_utf8" >"$stage/$readme_cp932"
  find "$stage" -type d -exec chmod 755 {} +
  find "$stage" -type f -exec chmod 644 {} +
  chmod 755 "$stage/Torvin.exe"
  find "$stage" -exec env TZ=UTC touch -h -d "@$stamp" {} +

  archive="$root/dist/Torvin-$version-$arch.zip"
  rm -f "$archive"
  (cd "$stage" && find . -type f -printf '%P\n' | LC_ALL=C sort | TZ=UTC zip -X -D -9 -q "$archive" -@)
  echo "$(sha256sum "$archive" | cut -d' ' -f1)  dist/$(basename "$archive")"
done
