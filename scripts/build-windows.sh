#!/usr/bin/env bash
# Cross-builds Nerix for 64-bit Windows with mingw-w64 against Qt for Windows
# (scripts/build-qt-windows.sh, which builds that Qt once per machine): the program and every
# test that needs no POSIX pseudo-terminal, in build-windows/. Options are passed to CMake.
# The tests run under Wine through CTest (scripts/test-windows.sh sets Wine up for them).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-translations-l10n \
  qt6-base-dev-tools wine64 >&2
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
out=build-windows
# Qt's toolchain file finds the Windows Qt and Debian's host tools (moc, rcc, uic) of the same
# version; it chain-loads ours, which names the cross compiler.
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNERIX_BENCH=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 \
  -DNERIX_QT_TRANSLATIONS=/usr/share/qt6/translations "$@" >&2
cmake --build "$out" -j "$(nproc)" >&2
echo "$repo/$out"
