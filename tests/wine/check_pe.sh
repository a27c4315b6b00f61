#!/usr/bin/env bash
# check_pe.sh FILE [subsystem]: FILE is a PE32 i386 image that imports no DLL beyond
# the system's (no mingw, C++ runtime or pthread DLLs). With "gui", also the GUI subsystem.
set -euo pipefail
file="$1"
dump=$(i686-w64-mingw32-objdump -p "$file")
grep -q 'file format pei-i386' <<<"$dump" || { echo "$file: not PE32 i386"; exit 1; }
if [ "${2:-}" = gui ]; then
  grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$dump" || { echo "$file: not a GUI program"; exit 1; }
fi
bad=$(grep 'DLL Name:' <<<"$dump" | awk '{print tolower($3)}' | grep -Ev '^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|winmm|comdlg32|comctl32|msvcrt|mpr|uuid|shlwapi|version|imm32|winspool\.drv|ws2_32)\.dll$' || true)
if [ -n "$bad" ]; then
  echo "$file needs DLLs beyond the system's: $bad"
  exit 1
fi
echo "$file: PE32 i386${2:+ $2}, system DLLs only"
