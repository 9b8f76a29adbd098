#!/usr/bin/env bash
# The Windows installer checked as a user's machine takes it, under Wine in a private prefix on
# a private X display: installed silently, the installed nerix.exe started and still running
# after 5 seconds, its entry in Apps & features, the user's settings written by the program
# kept by the silent uninstall, which removes every installed file.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh wine64 xvfb xauth
setup=$(bash scripts/package-windows.sh | tail -n 1)
echo "== $setup ($(du -h "$setup" | cut -f1))"

source scripts/wine-session.sh

dir="$WINEPREFIX/drive_c/Program Files/Nerix"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nerix'
"$wine" "$setup" /S
[ -f "$dir/nerix.exe" ] && [ -f "$dir/uninstall.exe" ] || { echo "not installed" >&2; exit 1; }
echo "installed: $(find "$dir" -type f | wc -l) files, $(du -sh "$dir" | cut -f1)"
"$wine" reg query "$key" | tr -d '\r' | grep -E 'DisplayName|DisplayVersion|Publisher'
[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Nerix.lnk" ] ||
  { echo "no Start-menu shortcut" >&2; exit 1; }

# The program from where it was installed; a user's setting of its own stays after removal.
"$wine" reg add 'HKCU\Software\VL_NX3' /v name /d "Jan Kowalski" /f >/dev/null
"$wine" "$dir/nerix.exe" &
program=$!
pids+=($program)
sleep 5
kill -0 "$program" 2>/dev/null || { echo "nerix.exe ended within 5 s" >&2; exit 1; }
kill "$program"
"$wineserver" -k 2>/dev/null || true

# The uninstaller copies itself away and goes on from there: wait for every Wine process.
"$wine" "$dir/uninstall.exe" /S
"$wineserver" -w
if [ -e "$dir" ]; then
  echo "left behind:" >&2
  find "$dir" >&2
  exit 1
fi
"$wine" reg query "$key" >/dev/null 2>&1 && { echo "Apps & features entry left" >&2; exit 1; }
"$wine" reg query 'HKCU\Software\VL_NX3' /v name | tr -d '\r' | grep -q "Jan Kowalski" ||
  { echo "the user's settings were removed" >&2; exit 1; }
echo "installed, started and removed; the user's settings kept"
