#!/usr/bin/env bash
# Checks what the build gives a Windows program against local attackers:
# only libraries that Windows always takes from its system folder in the
# import table, and no COM there (its libraries are loaded when a screen
# reader asks for a box or a shortcut is written, so that other runs do
# without), ASLR with high
# entropy and no-execute data (0x160 in the DllCharacteristics), and the
# stack protector's canary check. No import is forwarded by Windows into a
# library that it looks for in the program's folder.
#   scripts/check-hardening.sh PROGRAM.exe
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"
program=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
# The known DLLs of Windows that the program may import; any other is looked
# for in the program's own folder first.
known='^(advapi32|combase|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|rpcrt4|shell32|shlwapi|user32)\.dll$'
loaded_when_needed='^(combase|ole32|oleaut32|rpcrt4)\.dll$'

# Exports of known DLLs that Windows forwards into a library that is no known
# DLL, resolved through the program's folder when the program is loaded:
# advapi32's RtlGenRandom, RtlEncryptMemory and RtlDecryptMemory go to
# cryptbase.dll. (Wine implements them in advapi32 itself.)
forwarded='^(SystemFunction036|SystemFunction040|SystemFunction041)$'

headers=$("$objdump" -p "$program")
status=0
while read -r function; do
  if [[ $function =~ $forwarded ]]; then
    echo "imports $function, which Windows forwards to a library that it looks for in the program's folder"
    status=1
  fi
done < <(sed -n 's/^[[:space:]]*[0-9a-f]\{1,\}[[:space:]]\{1,\}[0-9a-f]\{1,\}[[:space:]]\{1,\}\([A-Za-z_0-9]\{1,\}\)$/\1/p' <<<"$headers")
while read -r library; do
  if ! [[ ${library,,} =~ $known ]]; then
    echo "imports $library, which the loader may take from the program's folder"
    status=1
  elif [[ ${library,,} =~ $loaded_when_needed ]]; then
    echo "imports $library, which every run would load; it belongs to screen readers and the shortcut"
    status=1
  fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

characteristics=$(sed -n 's/^DllCharacteristics[[:space:]]*//p' <<<"$headers")
if (( (0x$characteristics & 0x160) != 0x160 )); then
  echo "DllCharacteristics $characteristics lacks high-entropy ASLR, ASLR or no-execute data (0x160)"
  status=1
fi

# Guarded frames call __stack_chk_fail when their canary is overwritten; the
# program defines the function itself, so its symbol alone proves nothing.
disassembly=$("$objdump" -d "$program")
if ! grep -q 'call.*<__stack_chk_fail>' <<<"$disassembly"; then
  echo "no stack protector: nothing calls __stack_chk_fail"
  status=1
fi
[ "$status" -eq 0 ] && echo "$program: system libraries only, no COM, DllCharacteristics $characteristics, stack protector"
exit "$status"
