#!/usr/bin/env bash
# Builds the Debian package and checks it as an operator's machine would meet it: lintian finds no
# error; apt-get installs it (as root, as CI runs); its programs have Debian's hardening; the
# copyright file holds the project's licence; the installed programs report the package's version;
# the manual pages, desktop entry, metainfo, bash completion and udev rules are where their readers
# look and pass their validators (udevadm where the machine has udev); trel-update starts offscreen
# and keeps its settings in the user's folder; trel ports runs; removal (apt-get purge) leaves
# nothing of the package behind. Prints how long it all took.
# Usage: scripts/check-package.sh [cmake options for scripts/package.sh...]
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

fail() {
  echo "package check FAILED: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

deb=$(scripts/package.sh "$@" | tail -n 1)
name=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)
step "built $deb"

step "lintian"
lintian_status=0
lintian --fail-on error --display-info --pedantic "$deb" >"$folder/lintian.log" 2>&1 ||
  lintian_status=$?
grep -v "running with root privileges" "$folder/lintian.log" || echo "(no tags)"
[ "$lintian_status" -eq 0 ] || fail "lintian found errors"

installed() { dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed"; }
purge() { DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq "$name" >/dev/null; }
cleanup() {
  installed && purge
  rm -rf "$folder"
}
trap cleanup EXIT

step "apt-get install ./$deb"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "./$deb" >"$folder/apt.log" 2>&1 || {
  cat "$folder/apt.log" >&2
  fail "apt-get could not install $deb"
}
installed || fail "$name is not installed"

step "hardening of the programs"
# Debian's hardening flags: PIE, stack protector, fortified functions, read-only relocations,
# immediate binding. Debian 12's dpkg-buildflags has no control-flow protection to give.
programs=$(dpkg -L "$name" | grep '^/usr/bin/')
# shellcheck disable=SC2086
hardening-check --nocfprotection $programs || fail "the programs lack some of Debian's hardening"

step "copyright and licence"
# Debian's machine-readable format, whose last paragraph is the licence of LICENSE, written out.
copyright=/usr/share/doc/$name/copyright
format=https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
[ "$(head -n 1 "$copyright")" = "Format: $format" ] ||
  fail "$copyright is not in Debian's machine-readable format"
grep -qx "Copyright: $(sed -n 's/^Copyright (c) //p' LICENSE)" "$copyright" ||
  fail "$copyright does not name LICENSE's copyright holders"
licence_text=$(awk 'last == "" && /^License: Expat$/ { text = 1; next }
  text { sub(/^ /, ""); sub(/^\.$/, ""); print } { last = $0 }' "$copyright")
[ "$licence_text" = "$(sed '1,/^Copyright /d' LICENSE | sed 1d)" ] ||
  fail "$copyright does not hold the licence text of LICENSE"

step "versions"
[ "$(trel --version)" = "trel $version" ] || fail "trel --version: $(trel --version)"
[ "$(trel-printer-sim --version)" = "trel-printer-sim $version" ] ||
  fail "trel-printer-sim --version: $(trel-printer-sim --version)"

step "manual pages"
for page in trel trel-printer-sim trel-update; do
  man -w "$page" >/dev/null || fail "man -w $page finds no page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -Tutf8 "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

step "desktop entry and metainfo"
desktop=$(dpkg -L "$name" | grep '^/usr/share/applications/.*\.desktop$')
metainfo=$(dpkg -L "$name" | grep '^/usr/share/metainfo/.*\.metainfo\.xml$')
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "$metainfo does not name MIT"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
[ -f "/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon $icon"

step "bash completion"
bash -c 'source /usr/share/bash-completion/completions/trel && complete -p trel' >/dev/null ||
  fail "the completion does not register for trel"

step "udev rules"
rules=$(dpkg -L "$name" | grep '/udev/rules\.d/70-trel-update\.rules$')
case "$(dirname "$rules")" in
  /etc/udev/rules.d | /run/udev/rules.d | /usr/lib/udev/rules.d | /lib/udev/rules.d) ;;
  *) fail "$rules is not in a folder udev reads" ;;
esac
if command -v udevadm >/dev/null && [ -d /sys/class/tty ] && [ -n "$(ls /sys/class/tty)" ]; then
  device=/sys/class/tty/$(ls /sys/class/tty | head -n 1)
  udevadm test --action=add "$device" >"$folder/udevadm.log" 2>&1 ||
    fail "udevadm test $device: $(tail -n 5 "$folder/udevadm.log")"
  grep -q "Reading rules file: .*/70-trel-update.rules" "$folder/udevadm.log" ||
    fail "udevadm does not read $rules"
  if grep "70-trel-update.rules:" "$folder/udevadm.log"; then
    fail "udevadm refuses lines of $rules"
  fi
else
  echo "no udev here (udevadm or /sys/class/tty missing): udevadm test skipped"
fi

step "trel-update starts offscreen"
# Without TREL_TOOL_DIR the installed tool must choose the user's folder, never /usr/bin.
status=0
HOME="$folder/home" XDG_CONFIG_HOME="" QT_QPA_PLATFORM=offscreen timeout -s TERM 5 trel-update \
  >"$folder/gui.log" 2>&1 || status=$?
# 124: still running when told to quit, as a window does that waits for its operator.
[ "$status" -eq 124 ] || fail "trel-update ended by itself with status $status: $(cat "$folder/gui.log")"
[ -d "$folder/home/.config/trel-update" ] || fail "trel-update did not choose ~/.config/trel-update"

step "trel ports on this machine"
trel ports || fail "trel ports"

step "apt-get purge"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
purge
! installed || fail "$name is still installed"
for file in $files /usr/share/doc/$name /usr/bin/TrelTool.ini /usr/bin/TrelDefault.ini; do
  [ ! -e "$file" ] || fail "$file is left after purge"
done
dpkg-query -W "$name" >/dev/null 2>&1 && fail "dpkg still knows $name"

echo "package check passed in $(($(date +%s) - started)) s"
