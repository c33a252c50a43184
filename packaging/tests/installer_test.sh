#!/usr/bin/env bash
# The installer end to end, in a Wine prefix made fresh for the run: a silent installation,
# the checks of what it installed and of the installed program saving templates beside itself
# (Installed.* of CHECKS), a second silent installation over the first, the silent
# uninstallation through the command the installed programs list holds, and the checks of what
# is left (Uninstalled.*). Needs a display. The prefix is removed when everything passed.
# Usage: installer_test.sh INSTALLER CHECKS.exe PORTABLE_DIR WORK_DIR
set -euo pipefail
installer=$1
checks=$2
portable=$3
work=$4
root=$(cd "$(dirname "$0")/../.." && pwd)

windows_path() { # Wine's drive Z: is the Linux root
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

step() {
  echo "== $* ($SECONDS s)"
}

run_checks() {
  step "checks $1"
  wine "$checks" --gtest_filter="$1" --gtest_brief=1
}

install_silently() {
  step "installing"
  wine "$installer" /S
  wineserver -w
}

mkdir -p "$work"
export WINEPREFIX="$work/wineprefix"
rm -rf "$WINEPREFIX"
# Whatever way the run ends, no process of this prefix outlives it.
trap 'wineserver -k 2>/dev/null || true' EXIT
step "creating a fresh Wine prefix"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
# The installer's Start menu entry stays inside the prefix: no menu entry on the host.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
ARBORDIR_INSTALLER=$(windows_path "$installer")
ARBORDIR_PORTABLE_DIR=$(windows_path "$portable")
export ARBORDIR_INSTALLER ARBORDIR_PORTABLE_DIR

install_silently
run_checks 'Installed.*'
# Installing again over the first installation keeps what the user saved.
install_silently

step "uninstalling"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Arbordir'
quiet=$(wine reg query "$key" /v QuietUninstallString | tr -d '\r' |
  sed -n 's/^ *QuietUninstallString *REG_SZ *//p')
uninstaller=$(sed -n 's/^"\([^"]*\)" \/S$/\1/p' <<<"$quiet")
if [ -z "$uninstaller" ]; then
  echo "no quiet uninstall command in the installed programs list: '$quiet'" >&2
  exit 1
fi
# The uninstaller hands over to a copy of itself and returns at once: wait for the prefix's
# processes to end.
wine "$uninstaller" /S
wineserver -w
run_checks 'Uninstalled.*'

# The Wine server writes the registry back when it ends.
wineserver -w
rm -rf "$WINEPREFIX"
step "passed"
