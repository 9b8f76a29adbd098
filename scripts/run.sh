#!/usr/bin/env bash
# Installs what is missing, builds Nerix and starts it against the simulated meter and
# reference instrument.
# The simulator and the program share a private settings store, so a real user's
# settings are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nerix nerix-sim
export XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d)
# The simulator keeps the terminal's input: "field 20" typed there changes the field.
./build/tools/nerix-sim --ready-file "$XDG_CONFIG_HOME/sim.ready" "$@" <&0 &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME"' EXIT
for _ in $(seq 100); do [ -f "$XDG_CONFIG_HOME/sim.ready" ] && break; sleep 0.1; done
./build/src/nerix
