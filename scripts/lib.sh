# shellcheck shell=bash
# The one library of the scripts, sourced by each of them (and by a shell
# that wants the Wine session by hand: "source scripts/lib.sh"). It holds
# what they share: the repository's root, the build dependencies, configure
# and build with one number of jobs, the Wine session (scripts/wine-session.sh),
# the stand-in script server, the registry's ShowMsg, Windows paths, and
# temporary folders. Whatever a function here starts or writes is undone
# when the script exits, however it exits.

ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
# Every build takes this many jobs; set ORVEX_JOBS to share the machine.
ORVEX_JOBS=${ORVEX_JOBS:-$(nproc)}
ORVEX_REGISTRY_KEY='HKLM\SOFTWARE\Norlak\NorlakPivra'

ORVEX_TEMP_DIRS=()
ORVEX_SERVER_PID=
ORVEX_SERVER_EXE=
ORVEX_SHOW_MSG_SET=
ORVEX_DEPS_CHECKED=

# What the build and the tests need, as Debian 12 packages.
ORVEX_PACKAGES=(
  cmake make g++ clang libclang-rt-14-dev googletest valgrind
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xserver-xephyr xdotool x11-utils imagemagick fonts-wqy-zenhei
  python3 python3-pytest python3-pil e2fsprogs zip procps time
  wixl msitools osslsigncode openssl libxml2-utils
)

# orvex_install_deps: installs with apt-get what this machine lacks, once per
# script. Nothing missing: nothing to do, for any user. Something missing:
# root installs it; another user through sudo, asked for a password only at
# a terminal; without either it names the command and fails.
orvex_install_deps() {
  [ -n "$ORVEX_DEPS_CHECKED" ] && return 0
  local missing=() package as_root
  for package in "${ORVEX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]} > 0)); then
    echo "Missing packages: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
      as_root=(env DEBIAN_FRONTEND=noninteractive)
    elif command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
      as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
    else
      echo "Installing them needs root. As root, run:" >&2
      echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
      return 1
    fi
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  ORVEX_DEPS_CHECKED=1
}

# orvex_build PRESET [TARGET...]: the dependencies, then the preset of
# CMakePresets.json configured and built (only TARGETs when given).
orvex_build() {
  local preset=$1; shift
  local targets=()
  (($# > 0)) && targets=(--target "$@")
  orvex_install_deps
  (cd "$ORVEX_REPO" && cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" -j "$ORVEX_JOBS" "${targets[@]}")
}

# orvex_tempdir VARIABLE [NAME]: a new folder in the temporary folder, its
# path in VARIABLE; it is removed on exit unless orvex_keep names it.
orvex_tempdir() {
  local folder
  folder=$(mktemp -d "${TMPDIR:-/tmp}/orvex-${2:-work}.XXXXXX")
  ORVEX_TEMP_DIRS+=("$folder")
  printf -v "$1" '%s' "$folder"
}

# orvex_keep FOLDER: a folder of orvex_tempdir stays after the exit.
orvex_keep() {
  local folder kept=()
  for folder in "${ORVEX_TEMP_DIRS[@]}"; do
    [ "$folder" = "$1" ] || kept+=("$folder")
  done
  ORVEX_TEMP_DIRS=("${kept[@]}")
}

# orvex_winpath PATH: the Windows name of an absolute Linux path (Wine's Z:).
orvex_winpath() {
  echo "Z:${1//\//\\}"
}

# orvex_show_msg N: the registry's ShowMsg for the programs run from here;
# the value is deleted again on exit.
orvex_show_msg() {
  ORVEX_SHOW_MSG_SET=1
  wine reg add "$ORVEX_REGISTRY_KEY" /v ShowMsg /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

orvex_show_msg_delete() {
  wine reg delete "$ORVEX_REGISTRY_KEY" /v ShowMsg /f >/dev/null 2>&1 || true
  ORVEX_SHOW_MSG_SET=
}

# orvex_server_start PROGRAM OUTPUT [OPTION...]: the stand-in script server
# PROGRAM (OrvexScriptServer.exe) in the background, its output in the file
# OUTPUT; returns once it listens on the pipe, or fails with its output when
# it ends or stays silent for 30 s.
orvex_server_start() {
  ORVEX_SERVER_EXE=$1
  local output=$2; shift 2
  # Emptied here, not by the server's redirection, which the started shell
  # may make only after the first look below: an earlier run's "listening"
  # would count for this one.
  : >"$output"
  wine "$ORVEX_SERVER_EXE" "$@" >>"$output" 2>&1 </dev/null &
  ORVEX_SERVER_PID=$!
  local _
  for _ in $(seq 300); do
    grep -q "OrvexScriptServer: listening on" "$output" 2>/dev/null && return 0
    kill -0 "$ORVEX_SERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "The script server did not start:" >&2
  cat "$output" >&2
  orvex_server_stop
  return 1
}

# orvex_server_stop: asks the server to stop, and ends it by its id when it
# has not within 10 s.
orvex_server_stop() {
  [ -n "$ORVEX_SERVER_PID" ] || return 0
  wine "$ORVEX_SERVER_EXE" --stop >/dev/null 2>&1 </dev/null || true
  local _
  for _ in $(seq 100); do
    kill -0 "$ORVEX_SERVER_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill "$ORVEX_SERVER_PID" 2>/dev/null || true
  wait "$ORVEX_SERVER_PID" 2>/dev/null || true
  ORVEX_SERVER_PID=
}

# On exit, in this order: the server, the registry value, the Wine session,
# the temporary folders.
orvex_exit() {
  local status=$?
  orvex_server_stop
  [ -z "$ORVEX_SHOW_MSG_SET" ] || orvex_show_msg_delete
  orvex_wine_stop
  ((${#ORVEX_TEMP_DIRS[@]} == 0)) || rm -rf "${ORVEX_TEMP_DIRS[@]}"
  return "$status"
}
trap orvex_exit EXIT

source "$ORVEX_REPO/scripts/wine-session.sh"
