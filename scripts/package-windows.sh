#!/usr/bin/env bash
# Makes the Windows installer, build-windows/nerix-3.1-setup.exe, with NSIS from
# packaging/windows/nerix.nsi: the cross-built nerix.exe (scripts/build-windows.sh), the Qt DLLs
# and plug-ins it loads and no others, the mingw-w64 runtime, Qt's Polish translation, the
# licence texts. Prints the installer's path last.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
bash scripts/install-deps.sh nsis qt6-translations-l10n binutils-mingw-w64-x86-64 >&2
build=$(bash scripts/build-windows.sh | tail -n 1)
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)
runtime=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
stage="$build/stage"
rm -rf "$stage"
mkdir -p "$stage/plugins/platforms" "$stage/plugins/styles" "$stage/translations" \
  "$stage/licenses"

cp "$build/src/nerix.exe" "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/plugins/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/plugins/styles/"
cp /usr/share/qt6/translations/qtbase_pl.qm "$stage/translations/"
# Qt finds its plug-ins and translations beside the program.
printf '[Paths]\nPrefix=.\nPlugins=plugins\nTranslations=translations\n' >"$stage/qt.conf"

# The DLLs the program and the plug-ins import, followed through the DLLs they import in
# turn; those of Windows itself are not shipped.
find_dll() {
  local dir
  for dir in "$qt/bin" "${runtime[@]}"; do
    [ -f "$dir/$1" ] && { echo "$dir/$1"; return 0; }
  done
  return 0
}
queue=("$stage/nerix.exe" "$stage"/plugins/*/*.dll)
while [ ${#queue[@]} -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  while read -r dll; do
    [ -f "$stage/$dll" ] && continue
    source=$(find_dll "$dll")
    [ -n "$source" ] || continue
    cp "$source" "$stage/"
    queue+=("$stage/$dll")
  done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done

cp LICENSE "$stage/LICENSE.txt"
cp packaging/windows/THIRD-PARTY.txt "$stage/"
cp "$qt"/licenses/* "$stage/licenses/"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licenses/gcc-mingw-w64-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$stage/licenses/mingw-w64-copyright.txt"
cp src/app/images/nerix.ico "$stage/"

# One line per file to install and to remove, so that uninstalling removes exactly them.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(
  cd "$stage"
  find . -type f | sort | while read -r f; do
    f=${f#./}
    dir=$(dirname "$f")
    if [ "$dir" = . ]; then echo 'SetOutPath "$INSTDIR"'
    else echo "SetOutPath \"\$INSTDIR\\$(echo "$dir" | tr / '\\')\""; fi
    echo "File \"$stage/$f\""
  done
  echo 'SetOutPath "$INSTDIR"'
) >"$work/files.nsh"
(
  cd "$stage"
  find . -type f | sort | while read -r f; do
    echo "Delete \"\$INSTDIR\\${f#./}\"" | tr / '\\'
  done
  find . -type d ! -name . | sort -r | while read -r dir; do
    echo "RMDir \"\$INSTDIR\\${dir#./}\"" | tr / '\\'
  done
) >"$work/unfiles.nsh"
size_kb=$(( ($(du -sk "$stage" | cut -f1) + 1) ))
out="$build/nerix-3.1-setup.exe"
rm -f "$out"
makensis -V2 -NOCD -DSTAGE="$stage" -DOUTFILE="$out" -DSIZE_KB="$size_kb" \
  -DLICENSE_FILE="$stage/LICENSE.txt" "-X!addincludedir $work" \
  packaging/windows/nerix.nsi >&2
echo "$out"
