#!/usr/bin/env bash
# The serial port component built for Windows with mingw-w64 and tested under Wine: installs the
# cross compiler and Wine when missing, builds the component's Qt-free part with its test
# program, maps pseudo-terminals to COM2, COM3, COM12 and COM23 in a private Wine prefix, and runs the
# test against the device program on their other side.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh g++ g++-mingw-w64-x86-64-posix wine64

out=build-windows
mkdir -p "$out"
serial=src/serial
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -static -Isrc \
  -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
  "$serial"/{CPort,ComControlBlock,ComEventThread,ComSettings,EComPort,PortEnumeration}.cpp \
  "$serial"/Win32*.cpp tests/windows/ComPortWineTest.cpp -o "$out/test_windows.exe" -lsetupapi
g++ -std=c++20 -O1 -Wall -Wextra tests/windows/PtyDevice.cpp -o "$out/pty-device"

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
device=
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [ -n "$device" ] && kill "$device" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$out/pty-device" COM2 COM3 COM12 COM23 >"$work/ports" &
device=$!
"$wine" wineboot -i >/dev/null 2>&1
for _ in $(seq 100); do
  [ "$(wc -l <"$work/ports")" -eq 4 ] && break
  sleep 0.1
done
[ "$(wc -l <"$work/ports")" -eq 4 ] || { echo "pty-device did not start" >&2; exit 1; }
# Wine's own port map: at its next start Wine links dosdevices/comN to each path and lists the
# port in the registry as Windows does.
{
  echo 'Windows Registry Editor Version 5.00'
  echo '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]'
  while read -r name path; do echo "\"$name\"=\"$path\""; done <"$work/ports"
} >"$work/ports.reg"
"$wine" regedit /S "$work/ports.reg"
"$wineserver" -k
# A terminal that Wine's server opened first becomes its controlling terminal; when the device
# hangs up, the server dumps its objects to stderr. Its output is of no use here.
"$wineserver" -p 2>/dev/null
"$wine" "$out/test_windows.exe"
