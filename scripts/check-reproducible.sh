#!/usr/bin/env bash
# Builds the packages of one commit (HEAD unless one is named) twice, each in
# a fresh clone of its own at another path, the second later, under another
# umask and time zone, and compares what the two wrote byte for byte. With
# ORVEX_SIGN_CERT and ORVEX_SIGN_KEY set, both builds sign. Exits 0 when every
# package is the same, 1 when one differs (diffoscope, where installed, shows
# how). Local changes are not built: the check is of a commit.
#   scripts/check-reproducible.sh [COMMIT] [--keep]
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"

keep= revision=HEAD
for argument in "$@"; do
  case $argument in
    --keep) keep=1 ;;
    *) revision=$argument ;;
  esac
done
commit=$(git -C "$ORVEX_REPO" rev-parse --verify "$revision^{commit}")
orvex_tempdir work reproducible
[ -z "$keep" ] || orvex_keep "$work"

build() {
  local source=$work/$1
  git clone -q --no-checkout "$ORVEX_REPO" "$source"
  git -C "$source" checkout -q --detach "$commit"
  "$source/scripts/package.sh" --out "$work/$1-packages" >"$work/$1.log" 2>&1 ||
    { tail -n 40 "$work/$1.log" >&2; echo "check-reproducible.sh: the build in $source failed" >&2; exit 1; }
}
echo "Building $commit in $work/first"
(umask 022 && TZ=UTC build first)
echo "Building $commit in $work/the-second-build"
(umask 077 && TZ=Pacific/Kiritimati LC_ALL=C build the-second-build)

if diff -r "$work/first-packages" "$work/the-second-build-packages" >/dev/null; then
  echo "Reproducible: both builds wrote the same bytes."
  cat "$work/first-packages/SHA256SUMS"
else
  diff "$work/first-packages/SHA256SUMS" "$work/the-second-build-packages/SHA256SUMS" >&2 || true
  echo "check-reproducible.sh: the two builds differ (kept in $work)" >&2
  orvex_keep "$work"
  exit 1
fi
