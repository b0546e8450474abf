#!/usr/bin/env bash
# Builds the release programs and packs them into build/package/:
#   OrvexSwitcher-<version>.zip  OrvexSwitcher.exe, README.md, and in
#                                test-tools/ the stand-ins (script server,
#                                configuration tool, box viewer): for testing
#                                only, never to be installed
#   OrvexSwitcher-<version>.msi  the per-machine x64 package of
#                                OrvexSwitcher.exe and README.md
#   SHA256SUMS                   of the two
# The version is the project's, from CMakeLists.txt. With ORVEX_SIGN_CERT and
# ORVEX_SIGN_KEY (PEM files of a code-signing certificate and its unencrypted
# key) OrvexSwitcher.exe is signed before it is packed, and then the msi.
#
#   --from-build DIR  pack the programs of this Windows build tree (such as
#                     build/windows) instead of building the release
#   --version X.Y.Z   name and stamp the packages with this version; the
#                     program keeps the version it was built with
#   --out DIR         write into DIR instead of build/package
set -euo pipefail
ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)

from_build= version= out=$ORVEX_REPO/build/package
while (($# > 0)); do
  case $1 in
    --from-build) from_build=$(realpath -m -- "$2"); shift 2 ;;
    --version) version=$2; shift 2 ;;
    --out) out=$(realpath -m -- "$2"); shift 2 ;;
    *) echo "package.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
cd "$ORVEX_REPO"
version=${version:-$(sed -n 's/^project(OrvexSwitcher VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)}
if [[ ! $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "package.sh: the version must be X.Y.Z, not '$version'" >&2
  exit 2
fi
if [ "${ORVEX_SIGN_CERT:+set}" != "${ORVEX_SIGN_KEY:+set}" ]; then
  echo "package.sh: signing needs both ORVEX_SIGN_CERT and ORVEX_SIGN_KEY" >&2
  exit 2
fi

scripts/install-deps.sh
if [ -z "$from_build" ]; then
  cmake --preset windows-release >/dev/null
  cmake --build --preset windows-release -j "$(nproc)"
  from_build=$ORVEX_REPO/build/windows-release
fi

sign() {
  if [ -n "${ORVEX_SIGN_CERT:-}" ]; then
    osslsigncode sign -certs "$ORVEX_SIGN_CERT" -key "$ORVEX_SIGN_KEY" -h sha256 -n OrvexSwitcher \
      -in "$1" -out "$1.signed" >/dev/null
    mv "$1.signed" "$1"
    echo "signed $1"
  fi
}

name=OrvexSwitcher-$version
stage=$out/$name
mkdir -p "$out"
rm -rf "$stage" "$out/$name.zip" "$out/$name.msi" "$out/SHA256SUMS"
mkdir -p "$stage/test-tools"

x86_64-w64-mingw32-strip -o "$stage/OrvexSwitcher.exe" "$from_build/src/OrvexSwitcher.exe"
sign "$stage/OrvexSwitcher.exe"
sed "s/<version>/$version/g" README.md > "$stage/README.md"
find "$from_build/tools" -name '*.exe' -print0 |
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
(cd "$out" && zip -qr "$name.zip" "$name")

# wixl only warns about what it does not understand and leaves it out, so a
# warning fails the package. It takes the files' paths relative to the
# current directory.
if ! (cd "$stage" && wixl -a x64 -D "Version=$version" -D ProgramFile=OrvexSwitcher.exe -D ReadmeFile=README.md \
        -o "../$name.msi" "$ORVEX_REPO/installer/OrvexSwitcher.wxs") 2>"$out/wixl.log" || [ -s "$out/wixl.log" ]; then
  cat "$out/wixl.log" >&2
  exit 1
fi
rm "$out/wixl.log"
queries=()
while IFS= read -r line; do
  [[ -z $line || $line == --* ]] || queries+=(-q "$line")
done < installer/after-wixl.sql
msibuild "$out/$name.msi" "${queries[@]}"
sign "$out/$name.msi"

(cd "$out" && sha256sum "$name.zip" "$name.msi" > SHA256SUMS)
if [ -z "${ORVEX_SIGN_CERT:-}" ]; then
  echo "ORVEX_SIGN_CERT and ORVEX_SIGN_KEY are not set: the program and the msi are NOT signed."
fi
echo "$out:"
cat "$out/SHA256SUMS"
