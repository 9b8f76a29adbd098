#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows (x86_64-w64-mingw32, shared, release) with the modules
# Nerix uses: Core, Gui, Widgets, PrintSupport, Test, the windows platform plug-in and styles,
# and Qt Charts. Sources: Debian's qt6-base source package (apt-get source) and the Qt Charts
# tarball of ../shared/vendor (NERIX_QTCHARTS_SOURCE overrides it). The host tools (moc, rcc,
# uic) are Debian's own Qt 6.4.2.
#
# Installs into NERIX_QT_WINDOWS (default ~/.cache/nerix/qt-6.4.2-mingw64) and prints that
# path last. A prefix that is complete for this script and these sources (its stamp holds
# their hashes) is reused at once; any other is built anew. The build folder beside the prefix
# is kept until the prefix is complete, so a build that was cut short goes on where it stopped;
# ccache, where installed, keeps what was compiled for a later build.
set -euo pipefail
# The whole script is read before it runs, so that an edit while it runs does not change it.
main() {
repo=$(cd "$(dirname "$0")/.." && pwd)
prefix=${NERIX_QT_WINDOWS:-$HOME/.cache/nerix/qt-6.4.2-mingw64}
charts=${NERIX_QTCHARTS_SOURCE:-$repo/../shared/vendor/qtcharts-everywhere-src-6.4.2.tar.xz}
charts_sha256=7a93cef9290e1c534c8449bfb3058a741a175c604b3f5254ed3cbafad57567ae
qtbase_version=6.4.2+dfsg-10

[ -f "$charts" ] || { echo "Qt Charts source not found: $charts" >&2; exit 1; }
# One build of a prefix at a time: a second run waits for the first (CI starts one early in
# the background) and then finds the prefix complete.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
stamp="qtbase $qtbase_version
charts $(sha256sum <"$charts" | cut -d' ' -f1)
script $(sha256sum <"$0" | cut -d' ' -f1)
toolchain $(sha256sum <"$repo/cmake/mingw-w64-x86_64.cmake" | cut -d' ' -f1)"
if [ -f "$prefix/nerix-stamp" ] && [ "$(cat "$prefix/nerix-stamp")" = "$stamp" ]; then
  echo "$prefix"
  exit 0
fi
[ "$(sha256sum <"$charts" | cut -d' ' -f1)" = "$charts_sha256" ] ||
  echo "warning: $charts is not the Qt Charts 6.4.2 tarball this script was made with" >&2

# The cross compiler, the host Qt of the same version (its tools and CMake files) and what
# fetching and unpacking Debian's source needs.
bash "$repo/scripts/install-deps.sh" cmake ninja-build perl dpkg-dev xz-utils ccache \
  g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools >&2
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  # Debian's sources come from the same archives as its packages.
  $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
  $SUDO apt-get update -qq
fi

work="$prefix.build"
if [ "$(cat "$work/nerix-stamp" 2>/dev/null)" != "$stamp" ]; then
  rm -rf "$work"
  mkdir -p "$work"
  echo "$stamp" >"$work/nerix-stamp"
fi
cd "$work"
echo "== Qt for Windows: sources and build in $work, prefix $prefix" >&2
if [ ! -f qtbase/.unpacked ]; then
  rm -rf qtbase qt6-base_*
  apt-get source --download-only "qt6-base=$qtbase_version" >&2 2>&1 ||
    apt-get source --download-only qt6-base >&2
  dsc=$(ls qt6-base_6.4.2*.dsc | head -n 1)
  [ -n "$dsc" ] || { echo "no Qt 6.4.2 source package found" >&2; exit 1; }
  dpkg-source --no-check -x "$dsc" qtbase >&2
  touch qtbase/.unpacked
fi
if [ ! -f charts/.unpacked ]; then
  rm -rf charts
  mkdir charts && tar -xJf "$charts" -C charts --strip-components=1
  touch charts/.unpacked
fi

rm -rf "$prefix"
mkdir -p "$prefix"
jobs=$(nproc)
launcher=()
command -v ccache >/dev/null &&
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Modules and features the program does not use are left out; the libraries Qt bundles are
# used instead of the system's (there is no Windows build of those here).
cmake -S qtbase -B build-base -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_doubleconversion=OFF "${launcher[@]}" >&2
cmake --build build-base -j "$jobs" >&2
cmake --install build-base >&2
"$prefix/bin/qt-cmake" -S charts -B build-charts -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF "${launcher[@]}" >&2
cmake --build build-charts -j "$jobs" >&2
cmake --install build-charts >&2
# The licence texts of what the program ships from Qt.
mkdir -p "$prefix/licenses"
cp qtbase/LICENSES/*.txt "$prefix/licenses/"
cp qtbase/debian/copyright "$prefix/licenses/qtbase-debian-copyright.txt"
cp charts/LICENSES/*.txt "$prefix/licenses/" 2>/dev/null || true
echo "$stamp" >"$prefix/nerix-stamp"
cd /
rm -rf "$work"
echo "$prefix"
}
main "$@"
