#!/usr/bin/env bash
# Builds and runs the stand-in WMI Script Server under Wine, in the prefix
# that scripts/run-switch.sh uses, until Ctrl+C, --time-limit, or
# "scripts/script-server.sh --stop" from another shell; its output follows.
#   scripts/script-server.sh [--profile NAME] [--record FILE] [settings...]
# --help lists the profiles and settings.
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"
cd "$ORVEX_REPO"

orvex_build windows OrvexScriptServer >/dev/null
orvex_wine_prefix
server=build/windows/tools/script_server/OrvexScriptServer.exe
# Asking a running server to stop, or for the usage, starts none.
for argument in "$@"; do
  case $argument in
    --stop|--help) exec wine "$server" "$@" ;;
  esac
done
orvex_tempdir output script-server
orvex_server_start "$server" "$output/server.out" "$@"
tail -n +1 -f --pid="$ORVEX_SERVER_PID" "$output/server.out"
