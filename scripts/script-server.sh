#!/usr/bin/env bash
# Builds and runs the stand-in WMI Script Server under Wine, in the prefix
# that scripts/run-switch.sh uses, until Ctrl+C, --time-limit, or
# "scripts/script-server.sh --stop" from another shell.
#   scripts/script-server.sh [--profile NAME] [--record FILE] [settings...]
# --help lists the profiles and settings.
set -euo pipefail
ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ORVEX_REPO"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target OrvexScriptServer >/dev/null

source scripts/wine-session.sh
orvex_wine_prefix
exec wine build/windows/tools/script_server/OrvexScriptServer.exe "$@"
