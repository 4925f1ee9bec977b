#!/bin/sh
# Installs the Debian packages given as arguments that are not installed yet.
# Needs root (or sudo) when something is missing.
missing=""
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing Debian packages:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; elif command -v sudo >/dev/null; then SUDO=sudo; else
  echo "error: packages missing ($missing) and neither root nor sudo is available" >&2; exit 1; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -q $missing || { $SUDO apt-get update -q && $SUDO apt-get install -y -q $missing; }
