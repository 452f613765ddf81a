#!/bin/sh
# Installs the Debian packages Korimbel needs, only those that are missing.
# Safe to run any number of times; apt-get update runs only when something
# must be installed.
set -e
PACKAGES="libfltk1.3-dev antlr libantlr-dev libpng-dev zlib1g-dev libgl-dev libglu1-mesa-dev \
flex byacc xvfb xauth xdotool xclip xsel openbox x11-utils libgtest-dev libbenchmark-dev python3 cmake g++ make \
libfreetype-dev fonts-dejavu-core fonts-dejavu-extra"

missing=""
for p in $PACKAGES; do
	if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
		missing="$missing $p"
	fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
