# Sourced by the scripts that run Windows programs under Wine: a private Wine prefix in a
# temporary folder, a private X display (the windows plug-in draws there and measures text with
# real fonts), and a cleanup at exit that ends Wine, the display and every process listed in
# `pids`. Sets work, wine, wineserver, WINEPREFIX and DISPLAY.
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
pids=()
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
"$wine" wineboot -i >/dev/null 2>&1
