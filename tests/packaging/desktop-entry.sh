#!/usr/bin/env bash
# The desktop entry of an install, as a desktop reads it: the build installed
# (cmake --install) into a prefix whose path holds the characters an Exec
# line must quote or escape (but a backslash, which CMake cannot install to,
# and %, which GLib looks for in the program's path before undoing its %%);
# the installed entry passes desktop-file-validate without a word; launched
# through GLib's reader of desktop entries (gio launch, as the menus of
# GNOME, Xfce and others do), it starts the installed ccview by that path
# with no arguments (a stand-in put in its place says what it got); and the
# icon it names is in the hicolor theme.
#   desktop-entry.sh BUILD_DIR
# Skipped (status 77) without desktop-file-validate or gio.
set -euo pipefail
build=$1
for tool in desktop-file-validate gio; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: no $tool (Debian: desktop-file-utils, libglib2.0-bin)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

prefix="$work/a prefix \$HOME 'single' \"double\" \`tick\` (x) #&|<>~*?"
cmake --install "$build" --prefix "$prefix" >/dev/null
entry=$prefix/share/applications/tarvelkin.desktop
said=$(desktop-file-validate "$entry" 2>&1) || { echo "$said"; exit 1; }
[ -z "$said" ] || { echo "desktop-file-validate: $said"; exit 1; }
grep -qx 'Terminal=false' "$entry" || { echo "the entry would open a terminal"; exit 1; }

ccview=$prefix/bin/ccview
told=$work/told
cat >"$ccview" <<STANDIN
#!/bin/sh
{ printf '%s\n' "\$0"; echo "\$#"; } >'$told.part' && mv '$told.part' '$told'
STANDIN
gio launch "$entry"
# gio returns once the program is started; what it tells comes when it runs.
for _ in $(seq 500); do [ -e "$told" ] && break; sleep 0.02; done
[ -e "$told" ] || { echo "the entry started nothing within 10 s"; exit 1; }
expected=$(printf '%s\n0' "$ccview")
if [ "$(cat "$told")" != "$expected" ]; then
  echo "the entry started (program, argument count):"; cat "$told"
  echo "instead of:"; echo "$expected"
  exit 1
fi

icon=$(sed -n 's/^Icon=//p' "$entry")
for file in scalable/apps/$icon.svg 48x48/apps/$icon.png 256x256/apps/$icon.png; do
  [ -s "$prefix/share/icons/hicolor/$file" ] || { echo "missing icon $file"; exit 1; }
done
echo "the entry validates, starts $ccview with no arguments, and its icon is installed"
