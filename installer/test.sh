#!/usr/bin/env bash
# The setup program under Wine, as an administrator would use it: in a fresh private prefix,
# install silently; check the files, AppPath, the "Open with" entries and the Start-menu
# shortcut; start the installed program from another folder, open a file, see its main
# window and its help window; uninstall silently and check that everything it wrote is gone
# and nothing else changed.
#   installer/test.sh SETUP.exe ZIP
# Exits 0 when every check passed.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
setup="$1"
zip="$2"
work="$root/build/installer-test"

source "$root/scripts/wine-env.sh"
# No menu entries in this machine's desktop from the Start-menu shortcut.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d;winemenubuilder.exe=d"

failures=0
check() {  # description command...
  local what="$1"
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

reg_value() {  # key value, or key '(Default)'
  local which=(/v "$2")
  [ "$2" = '(Default)' ] && which=(/ve)
  "$VEXIL_WINE" reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  /, ""); print }' |
    grep -vx '(value not set)'
}
has_key() { "$VEXIL_WINE" reg query "$1" >/dev/null 2>&1; }
no_key() { ! has_key "$1"; }
has_value() { "$VEXIL_WINE" reg query "$1" /v "$2" >/dev/null 2>&1; }
equals() { [ "$1" = "$2" ] || { echo "  expected \"$2\", got \"$1\""; false; }; }

# Everything under HKLM\Software, sorted, so that two states compare line by line.
registry_state() {  # out
  "$VEXIL_WINE" reg export 'HKLM\Software' "$work/export.reg" /y >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | tr -d "\r" >"$1"
}
files_state() {  # out
  (cd "$WINEPREFIX/drive_c" && find "Program Files" ProgramData -print | sort) >"$1"
}

rm -rf "$work"
mkdir -p "$work/elsewhere"
vexil_prepare_prefix "$work/prefix" test
vexil_start_xvfb || exit 1
"$VEXIL_WINESERVER" -p
trap vexil_stop_all EXIT

x86_64-w64-mingw32-g++ -O2 -Wall -Wextra -municode -static -I "$root" -o "$work/window_check.exe" \
    "$root/installer/window_check.cpp" || exit 1

# Another program already owns .ico and offers itself for .cur: both must survive.
"$VEXIL_WINE" reg add 'HKLM\Software\Classes\.ico' /ve /d OtherEditor.Icon /f >/dev/null 2>&1
"$VEXIL_WINE" reg add 'HKLM\Software\Classes\.cur\OpenWithProgids' /v OtherEditor.Cursor /d "" /f >/dev/null 2>&1
registry_state "$work/registry-before.txt"
declare -A default_before
for ext in .ico .cur .ani; do
  default_before[$ext]="$(reg_value "HKLM\\Software\\Classes\\$ext" '(Default)')"
done
files_state "$work/files-before.txt"

echo "== install"
check "the silent setup succeeds" "$VEXIL_WINE" "$setup" /S
program="$WINEPREFIX/drive_c/Program Files/Vexil"
expected="$(unzip -Z1 "$zip" | sed -n 's|^Vexil/\(..*\)$|\1|p'; echo uninstall.exe)"
check "the program folder holds the zip's files and the uninstaller" \
    equals "$(ls "$program" 2>/dev/null | sort)" "$(echo "$expected" | sort)"
check "AppPath names the program folder" \
    equals "$(reg_value 'HKLM\SOFTWARE\Vexil\Path' AppPath)" 'C:\Program Files\Vexil'
check "the recent-files key exists for the program to fill" has_key 'HKLM\SOFTWARE\Vexil\Most Recent'
for ext in .ico .cur .ani .fic; do
  check "Vexil is in the Open with list of $ext" has_value 'HKLM\Software\Classes\Applications\vexil.exe\SupportedTypes' "$ext"
done
check ".ico lists Vexil's ProgID" has_value 'HKLM\Software\Classes\.ico\OpenWithProgids' Vexil.Icon
check ".cur lists Vexil's ProgID" has_value 'HKLM\Software\Classes\.cur\OpenWithProgids' Vexil.Cursor
check ".ani lists Vexil's ProgID" has_value 'HKLM\Software\Classes\.ani\OpenWithProgids' Vexil.AnimatedCursor
check ".fic opens with Vexil" equals "$(reg_value 'HKLM\Software\Classes\.fic' '(Default)')" Vexil.Project
check "the project ProgID runs the installed program" \
    equals "$(reg_value 'HKLM\Software\Classes\Vexil.Project\shell\open\command' '(Default)')" \
    '"C:\Program Files\Vexil\vexil.exe" "%1"'
for ext in .ico .cur .ani; do
  check "the default program of $ext stays" \
      equals "$(reg_value "HKLM\\Software\\Classes\\$ext" '(Default)')" "${default_before[$ext]}"
done
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vexil.lnk"
check "the Start-menu shortcut exists" test -f "$shortcut"

echo "== the installed program"
cp "$root/tests/fixtures/fuzz/icon_reader/two_sizes.ico" "$work/elsewhere/"
opened="Z:$(echo "$work/elsewhere/two_sizes.ico" | tr / '\\')"
(cd "$work/elsewhere" && "$VEXIL_WINE" 'C:\Program Files\Vexil\vexil.exe' "$opened" >/dev/null 2>&1 &)
check "started from another folder, it shows its main window" "$VEXIL_WINE" "$work/window_check.exe" main
check "the opened file is first in the recent-files list" \
    equals "$(reg_value 'HKLM\SOFTWARE\Vexil\Most Recent' RC1)" "$opened"
check "Help opens the help file in a help window" "$VEXIL_WINE" "$work/window_check.exe" help
check "the program closes" "$VEXIL_WINE" "$work/window_check.exe" close

echo "== uninstall"
check "the silent uninstaller starts" "$VEXIL_WINE" "$program/uninstall.exe" /S
# The uninstaller runs on from a copy of itself in the temporary folder.
for _ in $(seq 1 300); do
  [ -e "$program" ] || break
  sleep 0.2
done
check "the program folder is gone" test ! -e "$program"
check "the shortcut is gone" test ! -e "$shortcut"
check "the Vexil key is gone" no_key 'HKLM\SOFTWARE\Vexil'
check "the Open with entries are gone" no_key 'HKLM\Software\Classes\Applications\vexil.exe'
registry_state "$work/registry-after.txt"
files_state "$work/files-after.txt"
check "the registry is as before the setup" diff "$work/registry-before.txt" "$work/registry-after.txt"
check "Program Files and ProgramData are as before the setup" diff "$work/files-before.txt" "$work/files-after.txt"

echo "installer test: $failures failed"
[ "$failures" -eq 0 ]
