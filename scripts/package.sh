#!/usr/bin/env bash
# Builds the release programs and packs them into build/package/:
#   OrvexSwitcher-<version>.zip             for users: OrvexSwitcher.exe,
#                                           README.md and, in
#                                           PolicyDefinitions/, the
#                                           administrative template
#   OrvexSwitcher-<version>.msi             the per-machine x64 package of
#                                           OrvexSwitcher.exe and README.md
#   OrvexSwitcher-<version>-test-tools.zip  the stand-ins (script server,
#                                           configuration tool, box viewer):
#                                           for testing only, never to be
#                                           installed
#   SHA256SUMS                              of the three
# The version is the project's, from CMakeLists.txt. With ORVEX_SIGN_CERT and
# ORVEX_SIGN_KEY (PEM files of a code-signing certificate and its unencrypted
# key) OrvexSwitcher.exe is signed before it is packed, and then the msi.
#
# The same commit gives the same bytes: every time that goes into the files
# (the programs' build date, the archive entries, the msi's summary, the
# signing time) is SOURCE_DATE_EPOCH, by default the time of the last commit,
# and the msi's codes are derived from the version and the commit.
# scripts/check-reproducible.sh builds a commit twice and compares.
#
#   --from-build DIR  pack the programs of this Windows build tree (such as
#                     build/windows) instead of building the release
#   --version X.Y.Z   name and stamp the packages with this version; the
#                     program keeps the version it was built with
#   --out DIR         write into DIR instead of build/package
#   --signatures-from DIR
#                     give OrvexSwitcher.exe and the msi the signatures of
#                     the packages published in DIR, without keys: a build
#                     of the same commit then gives the published files
#                     again, which "sha256sum -c DIR/SHA256SUMS" shows
set -euo pipefail
ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)

from_build= version= out=$ORVEX_REPO/build/package signatures=
while (($# > 0)); do
  case $1 in
    --from-build) from_build=$(realpath -m -- "$2"); shift 2 ;;
    --signatures-from) signatures=$(realpath -m -- "$2"); shift 2 ;;
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
if [ -n "$signatures" ] && [ -n "${ORVEX_SIGN_CERT:-}" ]; then
  echo "package.sh: --signatures-from takes the place of ORVEX_SIGN_CERT and ORVEX_SIGN_KEY" >&2
  exit 2
fi
commit=$(git rev-parse HEAD 2>/dev/null || true)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
if [[ ! $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]]; then
  echo "package.sh: outside a git checkout, set SOURCE_DATE_EPOCH to the source's time" >&2
  exit 2
fi
if [ -n "$commit" ] && [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "package.sh: the checkout has changes; these packages are not those of commit $commit" >&2
fi
# Every file and archive entry carries this time; the zip's times are local
# ones, so the zone is fixed too.
export TZ=UTC0
stamp=$(date -d "@$SOURCE_DATE_EPOCH" +%Y%m%d%H%M.%S)

scripts/install-deps.sh
if [ -z "$from_build" ]; then
  cmake --preset windows-release >/dev/null
  cmake --build --preset windows-release -j "$(nproc)"
  from_build=$ORVEX_REPO/build/windows-release
fi

# sign FILE PUBLISHED: signs FILE with the keys, or gives it the signature of
# PUBLISHED, its published counterpart.
sign() {
  if [ -n "$signatures" ]; then
    # An unsigned release stays unsigned.
    osslsigncode extract-signature -in "$2" -out "$1.p7" >/dev/null 2>&1 || return 0
    # It fails when it cannot verify the certificate's chain, which needs
    # the publisher's CA, and still writes the file; whether the signature
    # fits shows when the files are compared with the published SHA256SUMS.
    rm -f "$1.signed"
    osslsigncode attach-signature -sigin "$1.p7" -in "$1" -out "$1.signed" >/dev/null 2>&1 || true
    rm "$1.p7"
    [ -s "$1.signed" ] || { echo "package.sh: could not attach the signature of $2" >&2; exit 1; }
  elif [ -n "${ORVEX_SIGN_CERT:-}" ]; then
    # No timestamp server, and the signing time is the source's.
    osslsigncode sign -certs "$ORVEX_SIGN_CERT" -key "$ORVEX_SIGN_KEY" -h sha256 -n OrvexSwitcher \
      -time "$SOURCE_DATE_EPOCH" -in "$1" -out "$1.signed" >/dev/null
  else
    return 0
  fi
  mv "$1.signed" "$1"
  echo "signed $1"
}

# A folder packed as name.zip: its files in byte order, with the source's
# time, fixed modes and no owners or extra times.
pack() {
  find "$out/$1" -type d -exec chmod 0755 {} + -o -type f -exec chmod 0644 {} +
  find "$out/$1" -exec touch -h -t "$stamp" {} +
  (cd "$out" && find "$1" -type f | LC_ALL=C sort | zip -q -X -D "$1.zip" -@)
}

name=OrvexSwitcher-$version
tools=$name-test-tools
mkdir -p "$out"
rm -rf "${out:?}/$name" "$out/$tools" "$out/msi-source" "$out/$name.zip" "$out/$tools.zip" "$out/$name.msi" \
  "$out/SHA256SUMS"
mkdir -p "$out/$name/PolicyDefinitions" "$out/$tools" "$out/msi-source"

# The release program itself: its imports, forwarders and protections.
scripts/check-hardening.sh "$from_build/src/OrvexSwitcher.exe" >/dev/null
x86_64-w64-mingw32-strip -o "$out/$name/OrvexSwitcher.exe" "$from_build/src/OrvexSwitcher.exe"
if [ -n "$signatures" ]; then
  unzip -p "$signatures/$name.zip" "$name/OrvexSwitcher.exe" > "$out/published.exe"
fi
sign "$out/$name/OrvexSwitcher.exe" "$out/published.exe"
rm -f "$out/published.exe"
sed "s/<version>/$version/g" README.md > "$out/$name/README.md"
cp -r installer/PolicyDefinitions/. "$out/$name/PolicyDefinitions/"
pack "$name"

find "$from_build/tools" -name '*.exe' -print0 |
  while IFS= read -r -d '' tool; do
    x86_64-w64-mingw32-strip -o "$out/$tools/${tool##*/}" "$tool"
  done
cat > "$out/$tools/README.txt" <<'TXT'
TEST TOOLS - NOT PART OF THE PRODUCT

These programs stand in for what lies outside OrvexSwitcher (the WMI Script
Server with a simulated firmware, the companion configuration tool, a viewer
of the message box). They exist to test OrvexSwitcher without the real
firmware. Do not install them on a user's machine: the stand-in server
answers the program's pipe with a simulated firmware. See README.md.
TXT
pack "$tools"

# The msi's files: the program and README as packed, and the empty log.
cp "$out/$name/OrvexSwitcher.exe" "$out/$name/README.md" "$out/msi-source/"
: > "$out/msi-source/ORVEXLOG.log"
touch -t "$stamp" "$out/msi-source/"*
# Name-based (SHA-1) GUIDs under the upgrade code: one product code per
# version, one package code per version and commit.
guid() {
  python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    93F4D598-085A-404B-925F-5BF28A3E1EA0 "$1"
}
# wixl only warns about what it does not understand and leaves it out, so a
# warning fails the package. It takes the files' paths relative to the
# current directory.
if ! (cd "$out/msi-source" && wixl -a x64 -D "Version=$version" -D "ProductCode=$(guid "product $version")" \
        -D ProgramFile=OrvexSwitcher.exe -D ReadmeFile=README.md -D LogFile=ORVEXLOG.log \
        -o "../$name.msi" "$ORVEX_REPO/installer/OrvexSwitcher.wxs") 2>"$out/wixl.log" || [ -s "$out/wixl.log" ]; then
  cat "$out/wixl.log" >&2
  exit 1
fi
rm -r "$out/wixl.log" "$out/msi-source"
queries=()
while IFS= read -r line; do
  [[ -z $line || $line == --* ]] || queries+=(-q "$line")
done < installer/after-wixl.sql
msibuild "$out/$name.msi" "${queries[@]}"
package_code=$(guid "package $version ${commit:-$SOURCE_DATE_EPOCH}")
msibuild "$out/$name.msi" -s "OrvexSwitcher $version" Norlak "x64;1033" "{$package_code}"
# The summary's creation and last-saved times are wixl's clock, and neither
# tool sets them: both are the same FILETIME of this minute, each after its
# type (VT_FILETIME, 0x40), in the summary stream, and become the source's
# time.
python3 - "$out/$name.msi" "$SOURCE_DATE_EPOCH" <<'PY'
import re, struct, sys, time
path, epoch = sys.argv[1], int(sys.argv[2])
data = open(path, "rb").read()
found = [match for match in re.finditer(rb"\x40\0\0\0(.{8})\x40\0\0\0\1", data, re.S)
         if abs(struct.unpack("<Q", match[1])[0] / 10**7 - 11644473600 - time.time()) < 3600]
if len(found) != 1:
    sys.exit(f"package.sh: {len(found)} places look like the msi summary's times; expected 1")
stamp = struct.pack("<Q", (epoch + 11644473600) * 10**7)
open(path, "wb").write(data[:found[0].start()] + (b"\x40\0\0\0" + stamp) * 2 + data[found[0].end():])
PY
sign "$out/$name.msi" "$signatures/$name.msi"

(cd "$out" && sha256sum "$name.zip" "$name.msi" "$tools.zip" > SHA256SUMS)
if [ -z "${ORVEX_SIGN_CERT:-}$signatures" ]; then
  echo "ORVEX_SIGN_CERT and ORVEX_SIGN_KEY are not set: the program and the msi are NOT signed."
fi
echo "$out:"
cat "$out/SHA256SUMS"
