#!/usr/bin/env bash
# The shipped setup program cannot run here (it is 32-bit), so its contents
# are read from the Linux side: it must carry the x86 and the x64 build's
# manager and proxy, byte for byte, and the help file.
# Usage: check_setup_contents.sh SETUP X86_BIN X64_BIN
set -euo pipefail
setup=$1 x86=$2 x64=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$(command -v 7zz || command -v 7z)" x -y -aou -o"$work" "$setup" >/dev/null
sums() { for f in "$@"; do md5sum < "$f"; done | sort; }
status=0
expect() {
  local what=$1 pattern=$2 expected=$3 found
  found=$(sums "$work"/$pattern 2>/dev/null || true)
  if [ "$found" != "$expected" ]; then
    echo "FAIL: the setup's $what are not the builds' ones"
    status=1
  fi
}
expect "managers" "Norvane*.exe" "$(sums "$x86/Norvane.exe" "$x64/Norvane.exe")"
expect "proxies" "\$PLUGINSDIR/_Norvane*.scr" "$(sums "$x86/_Norvane.scr" "$x64/_Norvane.scr")"
expect "help file" "Help/NorvaneHelp.chm" "$(sums "$x64/Help/NorvaneHelp.chm")"
[ $status -eq 0 ] && echo "ok: $setup carries both flavours"
exit $status
