#!/usr/bin/env bash
# hook_exports.sh DLL: the hook library is a PE32 i386 DLL that needs only the system's
# DLLs, exports exactly InstallHook, UninstallHook and WEP under their plain names, and
# keeps its table in a section shared between processes.
set -euo pipefail
dll="$1"
"$(dirname "$0")/check_pe.sh" "$dll"
dump=$(i686-w64-mingw32-objdump -p "$dll")
grep -q 'DLL' <<<"$(sed -n '/^Characteristics/,/^$/p' <<<"$dump")" || { echo "$dll: not a DLL"; exit 1; }
names=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | grep -E '^\s*\[ *[0-9]+\]' | awk '{print $NF}' | sort | tr '\n' ' ')
if [ "$names" != "InstallHook UninstallHook WEP " ]; then
  echo "$dll exports '$names', expected exactly 'InstallHook UninstallHook WEP'"
  exit 1
fi
flags=$(i686-w64-mingw32-objdump -h "$dll" | grep -A1 -E '^\s*[0-9]+ \.shared ' | tail -1)
grep -q SHARED <<<"$flags" || { echo "$dll: no shared .shared section ($flags)"; exit 1; }
echo "$dll: exports $names; .shared section is shared"
