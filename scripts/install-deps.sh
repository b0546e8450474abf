#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and this
# machine lacks (Debian 12; the list is ORVEX_PACKAGES in scripts/lib.sh).
# Nothing is missing: nothing to do, for any user. Something is missing:
# root installs it; another user through sudo, asked for a password only at
# a terminal; without either it names the command.
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"
orvex_install_deps
