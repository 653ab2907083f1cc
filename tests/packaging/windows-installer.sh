#!/usr/bin/env bash
# The Windows installer under Wine, used as a person uses it, in a Wine
# prefix of its own (a computer where tarvelkin never was):
#  - a silent install (/S), without an administrator, puts the zip's files
#    and an uninstaller in %LOCALAPPDATA%\Programs\tarvelkin, a Start menu
#    entry for ccview-start.exe, and the uninstaller in this person's list of
#    programs (HKCU); installed again over itself, it stays the same;
#  - the starter starts the server, which opens the shelf in the person's
#    browser (a stand-in registered for web pages and addresses writes down
#    what it was asked to open) and answers there; the Start menu entry,
#    clicked, opens it again; the uninstaller refuses while ccview runs, and
#    then removes nothing;
#  - the silent uninstall, as the list of programs runs it, leaves no file
#    the installer wrote, and the person's configs stay.
#
#   windows-installer.sh SETUP.exe ZIP
set -euo pipefail
setup=$(realpath "$1")
zip=$(realpath "$2")
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
fail() {
  echo "$*"
  exit 1
}
# Runs a command until it succeeds, for a minute at most.
waitFor() {
  local what=$1 until=$((SECONDS + 60))
  shift
  until "$@"; do
    [ $SECONDS -lt $until ] || fail "$what: not within a minute"
    sleep 0.1
  done
}
run() { "$wine" "$@" </dev/null | tr -d '\r'; }

# One server for every step, each of which then starts fast; the prefix made
# quietly, without offering to install Mono and Gecko.
mkdir -p "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1
seconds=$SECONDS
WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i </dev/null >/dev/null 2>&1
echo "(a Wine prefix of its own: $((SECONDS - seconds)) s)"
localWin=$(run cmd /c 'echo %LOCALAPPDATA%')
local=$(run winepath -u "$localWin")
appdata=$(run winepath -u "$(run cmd /c 'echo %APPDATA%')")
home=$local/Programs/tarvelkin
homeWin=$localWin\\Programs\\tarvelkin
entry="$appdata/Microsoft/Windows/Start Menu/Programs/tarvelkin.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\tarvelkin'
# The files of the zip, and those installed but the uninstaller, as ./PATH.
zipped() { unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/|./|' | sort; }
installed() { (cd "$home" && find . -type f ! -name uninstall.exe | sort); }
# Every file and folder of the computer but the temporary ones.
listing() { (cd "$WINEPREFIX/drive_c" && find . -ipath '*/temp' -prune -o -print | sort); }
listing >"$work/before"

for time in first second; do
  "$wine" "$setup" /S </dev/null || fail "the $time silent install failed"
  diff <(zipped) <(installed) || fail "the files installed the $time time are not the zip's"
done
[ -f "$home/uninstall.exe" ] || fail "no uninstaller"
[ -f "$entry" ] || fail "no Start menu entry $entry"
# The entry names its program in UTF-16 among its binary fields.
tr -d '\0' <"$entry" | grep -qF "$homeWin\\ccview-start.exe" || fail "the Start menu entry does not start ccview-start.exe"
uninstall=$(run reg query "$key" /v QuietUninstallString | sed -n 's/.*REG_SZ *//p')
[ "$uninstall" = "\"$homeWin\\uninstall.exe\" /S" ] || fail "the uninstaller registered for this person: \"$uninstall\""
echo "installed twice, the same: $(cd "$home" && find . -type f | wc -l) files in $homeWin, the Start menu entry, the uninstaller registered"

# The person's browser: whatever it is asked to open, a page or an address,
# is written down. (Wine reads file types and addresses from HKCR alone, not
# from the person's HKCU\Software\Classes over it.)
opened=$work/opened.txt
run reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null
for class in htmlfile http https; do
  run reg add "HKCR\\$class\\shell\\open\\command" /ve /f \
    /d "cmd.exe /c echo \"%1\">>\"$(run winepath -w "$opened")\"" >/dev/null
done
opens() { [ -f "$opened" ] && [ "$(wc -l <"$opened")" -ge "$1" ]; }
status=0
"$wine" "$home/ccview-start.exe" </dev/null >"$work/start.out" 2>"$work/start.err" || status=$?
if [ $status -eq 2 ] && grep -q '^usage: ccview' "$work/start.err"; then
  # Until ccview serves the shelf with no arguments, there is no server to see.
  echo "ccview with no arguments gives its usage (status 2), which the starter reported: no server to check yet"
else
  [ $status -eq 0 ] || { cat "$work/start.err"; fail "the starter ended with status $status"; }
  waitFor "the shelf opened in the browser" opens 1
  target=$(head -1 "$opened" | tr -d '"\r')
  # An address, or a page of ours that leads to it.
  case $target in
    http://*) address=$target ;;
    *) address=$(grep -ao 'http://127\.0\.0\.1:[0-9]*' "$(run winepath -u "$target")" | head -1) ;;
  esac
  port=$(echo "$address" | sed -n 's|^http://127\.0\.0\.1:\([0-9]*\).*|\1|p')
  [ -n "$port" ] || fail "the browser was asked to open $target, which leads to no server"
  node -e "fetch('http://127.0.0.1:$port/').then(() => process.exit(0), () => process.exit(1))" ||
    fail "the shelf's server does not answer on 127.0.0.1:$port"
  echo "the starter started the server on 127.0.0.1:$port and opened the shelf in the browser"
  run start /unix "$entry"
  waitFor "the Start menu entry opened the shelf" opens 2
  echo "the Start menu entry opened it again"
  status=0
  run "$home/uninstall.exe" /S "_?=$homeWin" >/dev/null || status=$?
  [ $status -eq 2 ] || fail "the uninstaller, while ccview runs, ended with status $status"
  diff <(zipped) <(installed) || fail "the uninstaller, while ccview runs, removed files"
  echo "while ccview runs, the uninstaller refuses (status 2) and removes nothing"
  # Ended by force, until none is left to end.
  waitFor "ccview ended" bash -c "! '$wine' taskkill /f /im ccview.exe </dev/null >/dev/null 2>&1"
fi

# The person's own configs, which the uninstaller leaves.
mkdir -p "$appdata/tarvelkin/configs"
echo "mine" >"$appdata/tarvelkin/configs/mine.cc"
# As the list of programs runs it: the uninstaller copies itself to the
# temporary folder and goes on from there, while the first one ends at once.
program=${uninstall#\"}
"$wine" "${program%%\"*}" /S </dev/null
gone() { [ ! -e "$home" ] && [ ! -e "$entry" ] && ! run reg query "$key" >/dev/null 2>&1; }
waitFor "the uninstall" gone
listing >"$work/after"
# What may stay: the person's configs, settings and the server's runtime
# files, in their own folders.
left=$(comm -13 "$work/before" "$work/after" | grep -Ev '^\./users/[^/]+/AppData/(Roaming|Local)/tarvelkin(/|$)' || true)
[ -z "$left" ] || fail "left after the uninstall: $left"
[ "$(cat "$appdata/tarvelkin/configs/mine.cc")" = mine ] || fail "the person's config is gone"
echo "uninstalled silently: nothing left of what was installed, and the person's configs stay"
