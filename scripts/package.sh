#!/usr/bin/env bash
# Builds the release programs and packs them:
#   build/package/OrvexSwitcher-<version>.zip
#     OrvexSwitcher.exe, README.md
#     test-tools/   the stand-ins (script server, configuration tool, box
#                   viewer): for testing only, never to be installed
set -euo pipefail
ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ORVEX_REPO"

scripts/install-deps.sh
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j "$(nproc)"

version=$(sed -n 's/^project(OrvexSwitcher VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
release=build/windows-release
stage=build/package/OrvexSwitcher-$version
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage/test-tools"

x86_64-w64-mingw32-strip -o "$stage/OrvexSwitcher.exe" "$release/src/OrvexSwitcher.exe"
cp README.md "$stage/"
find "$release/tools" -name '*.exe' -print0 |
  while IFS= read -r -d '' tool; do
    x86_64-w64-mingw32-strip -o "$stage/test-tools/${tool##*/}" "$tool"
  done
cat > "$stage/test-tools/README.txt" <<'TXT'
TEST TOOLS - NOT PART OF THE PRODUCT

These programs stand in for what lies outside OrvexSwitcher (the WMI Script
Server with a simulated firmware, the companion configuration tool, a viewer
of the message box). They exist to test OrvexSwitcher without the real
firmware. Do not install them on a user's machine. See README.md.
TXT

(cd build/package && zip -qr "OrvexSwitcher-$version.zip" "OrvexSwitcher-$version")
echo "build/package/OrvexSwitcher-$version.zip:"
unzip -l "build/package/OrvexSwitcher-$version.zip"
