#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's machine would take it: the desktop entry
# and the AppStream metadata validate, lintian finds no error, `apt-get install` installs it,
# the installed program starts (offscreen, with a private home) and still runs after 3 seconds,
# and the package is removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh desktop-file-utils appstream lintian
deb=$(bash scripts/package-deb.sh | tail -n 1)
echo "== $deb"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

work=$(mktemp -d)
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

dpkg-deb --extract "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error "$deb"

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq "$deb"
trap 'cleanup; $SUDO apt-get remove -y -qq nerix' EXIT
home="$work/home"
mkdir -m 700 "$home"
env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" \
  QT_QPA_PLATFORM=offscreen /usr/bin/nerix &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  pid=
  echo "test-package: the installed nerix ended within 3 seconds (status $status)" >&2
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "test-package: the installed nerix ran for 3 seconds"
