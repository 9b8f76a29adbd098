#!/usr/bin/env bash
# Nerix for Windows, tested under Wine in a private prefix and on a private X display:
#  1. the serial component's Qt-free test program against pseudo-terminals that Wine's port map
#     names COM2, COM3, COM12 and COM23 (tests/windows/PtyDevice.cpp plays the devices);
#  2. every test program of the Windows build (scripts/build-windows.sh) through CTest;
#  3. the real windows of the Windows build against nerix-sim, the Linux program, on
#     pseudo-terminals that Wine's port map names COM1 and COM2 (tests/windows/).
# Prints "N passed, N failed" for the test programs last.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh g++ g++-mingw-w64-x86-64-posix wine64 xvfb xauth \
  fonts-dejavu-core fonts-liberation2
build=$(bash scripts/build-windows.sh | tail -n 1)
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
[ -x build/tools/nerix-sim ] || bash scripts/build.sh build >/dev/null

serial=src/serial
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -static -Isrc \
  -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
  "$serial"/{CPort,ComControlBlock,ComEventThread,ComSettings,EComPort,PortEnumeration}.cpp \
  "$serial"/Win32*.cpp tests/windows/ComPortWineTest.cpp -o "$build/test_serial_wine.exe" \
  -lsetupapi
g++ -std=c++20 -O1 -Wall -Wextra tests/windows/PtyDevice.cpp -o "$build/pty-device"

# The Qt DLLs and the mingw-w64 runtime are found on Wine's PATH; Qt finds its plug-ins beside
# its DLLs.
windows_path() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(windows_path "$qt/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(windows_path /usr/x86_64-w64-mingw32/lib)"
source scripts/wine-session.sh

# Points Wine's COM names at the device paths of `$1` (lines "COMn PATH"). Wine links its
# dosdevices at its next start, so the server is restarted; a terminal that Wine's server opened
# first would become its controlling terminal, and the dump it writes when the device hangs up
# is of no use here.
map_ports() {
  {
    echo 'Windows Registry Editor Version 5.00'
    echo '[-HKEY_LOCAL_MACHINE\Software\Wine\Ports]'
    echo '[HKEY_LOCAL_MACHINE\Software\Wine\Ports]'
    while read -r name path; do echo "\"$name\"=\"$path\""; done <"$1"
  } >"$work/ports.reg"
  "$wine" regedit /S "$work/ports.reg"
  "$wineserver" -k
  "$wineserver" -w
  "$wineserver" -p 2>/dev/null
}
# Waits until `$1` holds `$2` lines.
wait_lines() {
  for _ in $(seq 100); do
    [ "$(wc -l <"$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  echo "$1 stayed short" >&2
  return 1
}

passed=0
failed=0
count() { if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi; }

echo "== serial component"
"$build/pty-device" COM2 COM3 COM12 COM23 >"$work/ports" &
pids+=($!)
wait_lines "$work/ports" 4
map_ports "$work/ports"
count "$wine" "$build/test_serial_wine.exe"
kill "${pids[-1]}"

echo "== test programs"
count ctest --test-dir "$build" --output-on-failure -j2

echo "== the Windows program against nerix-sim"
mkfifo "$work/sim-input"
# The simulator's input stays open while the test writes lines into it.
sleep 100000 >"$work/sim-input" &
pids+=($!)
XDG_CONFIG_HOME="$work/sim-config" build/tools/nerix-sim --ac --drift 0 \
  --cells-file "$work/cells" <"$work/sim-input" >"$work/sim-output" 2>&1 &
pids+=($!)
wait_lines "$work/sim-output" 2
head -n 2 "$work/sim-output" >"$work/sim-ports"
map_ports "$work/sim-ports"
count env NERIX_SIM_INPUT="Z:$work/sim-input" NERIX_SIM_OUTPUT="Z:$work/sim-output" \
  NERIX_SIM_CELLS="Z:$work/cells" NERIX_SIM_N3C="Z:$repo/tools/sim/nerix-sim.N3C" \
  "$wine" "$build/tests/test_simulator_e2e.exe"

echo "Windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
