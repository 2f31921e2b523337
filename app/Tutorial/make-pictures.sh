#!/bin/sh
# Remakes the Tutorial's pictures from the program itself, headless, when its look changes.
# Usage: app/Tutorial/make-pictures.sh path/to/tarnwick
set -e
program=${1:?give the path of the tarnwick executable}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/xdg"
cd "$work"
HOME="$work/home" XDG_CONFIG_HOME="$work/xdg" TARNWICK_REGISTRY="$work/registry.txt" TARNWICK_DISPLAY=headless \
    TARNWICK_SCREENSHOT="$here/welcome.png" "$program"
