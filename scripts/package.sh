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
source "$(dirname -- "$0")/lib.sh"

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

orvex_install_deps
if [ -z "$from_build" ]; then
  orvex_build windows-release
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
# The summary's creation and last-saved times (properties 12 and 13, each a
# FILETIME) are wixl's clock, and neither tool sets them: they become the
# source's time, written in place in the summary stream, which is found
# through the compound file's own directory and sector tables.
python3 - "$out/$name.msi" "$SOURCE_DATE_EPOCH" <<'PY'
import struct, sys
path, epoch = sys.argv[1], int(sys.argv[2])
data = bytearray(open(path, "rb").read())
sector, mini = 1 << struct.unpack_from("<H", data, 30)[0], 1 << struct.unpack_from("<H", data, 32)[0]
first_dir, cutoff, first_minifat = struct.unpack_from("<I", data, 48)[0], *struct.unpack_from("<II", data, 56)
if struct.unpack_from("<I", data, 72)[0]:
    sys.exit("package.sh: the msi has more sector tables than its header lists")
def words(sectors):
    return [w for s in sectors for w in struct.unpack_from(f"<{sector // 4}I", data, (s + 1) * sector)]
fat = words([s for s in struct.unpack_from("<109I", data, 76) if s < 0xFFFFFFFA])
def chain(start, table):
    found = []
    while start < 0xFFFFFFFA:
        found.append(start)
        start = table[start]
    return found
directory = b"".join(bytes(data[(s + 1) * sector:(s + 2) * sector]) for s in chain(first_dir, fat))
entries = {}
for at in range(0, len(directory), 128):
    length, start, size = struct.unpack_from("<H", directory, at + 64)[0], *struct.unpack_from("<II", directory, at + 116)
    entries[directory[at:at + max(length - 2, 0)].decode("utf-16-le")] = (start, size)
start, size = entries["\x05SummaryInformation"]
if size < cutoff:
    root = chain(entries["Root Entry"][0], fat)
    stream = chain(start, words(chain(first_minifat, fat)))
    def place(k):
        inside = stream[k // mini] * mini + k % mini
        return (root[inside // sector] + 1) * sector + inside % sector
else:
    stream = chain(start, fat)
    def place(k):
        return (stream[k // sector] + 1) * sector + k % sector
def read(k, n):
    return bytes(data[place(k + i)] for i in range(n))
section = struct.unpack_from("<I", read(44, 4))[0]
written = 0
for i in range(struct.unpack_from("<I", read(section + 4, 4))[0]):
    pid, offset = struct.unpack_from("<II", read(section + 8 + 8 * i, 8))
    if pid in (12, 13) and read(section + offset, 4) == b"\x40\0\0\0":
        for j, byte in enumerate(struct.pack("<Q", (epoch + 11644473600) * 10**7)):
            data[place(section + offset + 4 + j)] = byte
        written += 1
if written != 2:
    sys.exit(f"package.sh: the msi summary holds {written} of its two times")
open(path, "wb").write(data)
PY
sign "$out/$name.msi" "$signatures/$name.msi"

(cd "$out" && sha256sum "$name.zip" "$name.msi" "$tools.zip" > SHA256SUMS)
if [ -z "${ORVEX_SIGN_CERT:-}$signatures" ]; then
  echo "ORVEX_SIGN_CERT and ORVEX_SIGN_KEY are not set: the program and the msi are NOT signed."
fi
echo "$out:"
cat "$out/SHA256SUMS"
