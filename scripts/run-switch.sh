#!/usr/bin/env bash
# The main job: builds the Windows programs, starts the stand-in WMI Script
# Server with a simulated firmware, and runs OrvexSwitcher.exe's OS switch
# under Wine with ShowMsg 2, so that the confirmation box appears.
#
#   scripts/run-switch.sh [--profile NAME] [--show-msg N] [--headless] [OPTION...]
#
# --profile   the firmware (default "ready"; legacy, not-ready, feature-off,
#             unconfigured, state-unknown, refused, absent)
# --show-msg  the registry's ShowMsg for this run (default 2)
# --headless  use a virtual display even when one is at hand
# OPTION...   passed to OrvexSwitcher.exe (for example -now or -nomsg)
#
# With a usable display the user answers the box. Without one the run goes
# to Xvfb: a box is saved as a screenshot and answered OK. Either way the
# exit code, the commands that the firmware received and the trace log are
# printed at the end; the run's files stay in build/run-switch/.
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"
cd "$ORVEX_REPO"

profile=ready
show_msg=2
headless=0
program_arguments=()
while (($# > 0)); do
  case $1 in
    --profile) profile=${2:?--profile needs a name}; shift 2 ;;
    --show-msg) show_msg=${2:?--show-msg needs a number}; shift 2 ;;
    --headless) headless=1; shift ;;
    --help|-h) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) program_arguments+=("$1"); shift ;;
  esac
done
if [ "$headless" -eq 0 ] && { [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; }; then
  headless=1
fi

orvex_build windows OrvexSwitcher OrvexScriptServer OrvexConfigTool
# What the run leaves for a look afterwards: the programs, the screenshot,
# the firmware's record and the trace log; the next run starts it afresh.
run_dir=$ORVEX_REPO/build/run-switch
rm -rf "$run_dir" && mkdir -p "$run_dir"

# The prefix, a display, and a running wineserver with Wine's services.
orvex_wine_prefix
if [ "$headless" -eq 1 ]; then
  orvex_xvfb_start 1024x768
  echo "No usable display: running on the virtual display $DISPLAY"
fi
orvex_wineserver_start

# The program and the stand-in tool side by side, as they are installed.
cp build/windows/src/OrvexSwitcher.exe build/windows/tools/config_tool/OrvexConfigTool.exe "$run_dir/"
orvex_show_msg "$show_msg"
record="$run_dir/firmware-scripts.txt"
orvex_server_start build/windows/tools/script_server/OrvexScriptServer.exe "$run_dir/server.out" \
  --profile "$profile" --record "$(orvex_winpath "$record")" --time-limit 600
echo "Script server: firmware profile \"$profile\"; ShowMsg $show_msg"
echo "Running OrvexSwitcher.exe ${program_arguments[*]}"

status=0
if [ "$headless" -eq 0 ]; then
  echo "Answer the box on your display, if one appears."
  (cd /tmp && wine "$run_dir/OrvexSwitcher.exe" "${program_arguments[@]}" </dev/null) || status=$?
else
  (cd /tmp && exec wine "$run_dir/OrvexSwitcher.exe" "${program_arguments[@]}" </dev/null) &
  program_pid=$!
  # Looks for the box until the program ends; saves it and answers OK (the
  # focus starts on the leftmost button, which is OK in every box here).
  ORVEX_E2E="$ORVEX_REPO/tests/e2e" /usr/bin/python3 - "$program_pid" "$run_dir/box.png" <<'PY' || true
import os, sys, time
sys.path.insert(0, os.environ["ORVEX_E2E"])
from orvex_e2e import msgbox, screen

pid, shot = int(sys.argv[1]), sys.argv[2]
deadline = time.monotonic() + 60
while time.monotonic() < deadline:
    if not os.path.exists(f"/proc/{pid}"):
        print("No box was shown.")
        break
    image = screen.screenshot()
    box = msgbox.find_box(image)
    if box is not None:
        image.save(shot)
        print(f"A box with {len(box.buttons)} button(s) was shown; screenshot: {shot}")
        screen.key("Return")
        print("Answered OK.")
        break
    time.sleep(0.2)
else:
    print("Nothing happened within 60 s.")
PY
  wait "$program_pid" || status=$?
fi

echo
echo "OrvexSwitcher.exe exit code: $status"
echo "Commands the firmware received, in order:"
if [ -s "$record" ]; then
  grep -o 'NotificationCode,[0-9]*' "$record" | sed 's/NotificationCode,/  /'
else
  echo "  (none)"
fi
if [ -f "$run_dir/OrvexConfigTool.started.txt" ]; then
  echo "The configuration tool was started (working directory, arguments):"
  sed 's/^/  /' "$run_dir/OrvexConfigTool.started.txt"
fi
echo "Trace log ($run_dir/ORVEXLOG.log):"
cat "$run_dir/ORVEXLOG.log" 2>/dev/null || echo "(no records)"
exit "$status"
