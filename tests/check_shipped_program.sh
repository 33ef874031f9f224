#!/usr/bin/env bash
# A shipped program (Norvane.exe, _Norvane.scr) must be a 32-bit Windows program that runs with
# nothing beside it: every DLL it imports is part of Windows itself.
set -euo pipefail
exe=$1
objdump=i686-w64-mingw32-objdump
format=$($objdump -f "$exe" | sed -n 's/.*file format //p')
if [ "$format" != "pei-i386" ]; then
  echo "FAIL: $exe is $format, not a 32-bit Windows program"
  exit 1
fi
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|version|shlwapi|ole32|oleaut32|msvcrt|winspool\.drv|uxtheme)(\.dll)?$'
status=0
while read -r dll; do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
    echo "FAIL: $exe imports $dll, which does not come with Windows"
    status=1
  fi
done < <($objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ $status -eq 0 ] && echo "ok: $exe is pei-i386 and imports only system DLLs"
exit $status
