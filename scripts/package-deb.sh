#!/usr/bin/env bash
# Builds the Debian package of Nerix: a release build of the program and the simulator alone
# (no tests, no benchmarks) in build-deb with Debian's hardening flags, then CPack's DEB
# generator. The last line printed is the package's path (on stdout; the rest goes to stderr).
set -euo pipefail
cd "$(dirname "$0")/.."
# What the two programs build with; dpkg-shlibdeps (dpkg-dev) finds the package's dependencies
# and CPack tells binaries by `file`.
bash scripts/install-deps.sh cmake ninja-build g++ qt6-base-dev qt6-charts-dev \
  libqt6opengl6-dev libgl-dev dpkg-dev file >&2
out=build-deb
# Every hardening flag; no debugging information, which the package strips anyway. CMake
# takes no CPPFLAGS (_FORTIFY_SOURCE): they go with the compiler flags.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g \
  dpkg-buildflags --export=sh)"
export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNERIX_TESTS=OFF -DNERIX_BENCH=OFF \
  >/dev/null
cmake --build "$out" >&2
rm -f "$out"/*.deb
(cd "$out" && cpack -G DEB >&2)
ls "$PWD/$out"/nerix_*.deb
