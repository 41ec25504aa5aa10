#!/usr/bin/env bash
# Installs those of the given Debian packages that are missing, as root or with sudo.
set -euo pipefail

missing=()
for package in "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
echo "Installing ${missing[*]}" >&2
if ! "${as_root[@]}" apt-get install -y -q "${missing[@]}" >/dev/null; then
  "${as_root[@]}" apt-get update -q >/dev/null
  "${as_root[@]}" apt-get install -y -q "${missing[@]}" >/dev/null
fi
