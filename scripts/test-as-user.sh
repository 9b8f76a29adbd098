#!/usr/bin/env bash
# Runs tests of a build tree as an ordinary user, as the program runs for its users:
#   scripts/test-as-user.sh BUILD_DIR FOLDER[:TestClass]...
# e.g. `serial` runs build/tests/test_serial, `measure:PosixConnectionTest` one class of test_measure.
# Root opens terminals that ordinary users cannot (exclusive mode, device permissions), so the
# tests that open, close and reopen ports run here once more without root's privileges. Under
# root the tests run as nobody; otherwise as the calling user.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
as=()
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
if [ "$(id -u)" -eq 0 ]; then
  as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  chmod -R a+rX "$build"
  chown 65534:65534 "$home"
  if ! "${as[@]}" test -x "$build/tests"; then
    echo "test-as-user: $build is not reachable for user nobody" >&2
    exit 1
  fi
fi
chmod 700 "$home"
for target in "$@"; do
  folder=${target%%:*}
  class=
  [[ $target == *:* ]] && class=${target#*:}
  echo "== test_$folder ${class:-(all classes)} as $("${as[@]}" id -un)"
  "${as[@]}" env -i PATH="$PATH" HOME="$home" TMPDIR="$home" XDG_RUNTIME_DIR="$home" \
    QT_QPA_PLATFORM=offscreen NERIX_TEST_CLASS="$class" "$build/tests/test_$folder"
done
