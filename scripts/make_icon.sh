#!/usr/bin/env bash
# Makes packaging/classjournal.ico, the Windows program's icon, from packaging/classjournal.svg.
# Run it after changing the picture; the icon is kept in the repository, so that a build needs
# neither tool. Small sizes become bitmaps, which every Windows shows; 256 pixels stays PNG.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
command -v rsvg-convert >/dev/null || missing+=(librsvg2-bin)
command -v icotool >/dev/null || missing+=(icoutils)
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 24 32 48 64 256; do
  rsvg-convert --width "$size" --height "$size" packaging/classjournal.svg -o "$work/$size.png"
done
icotool --create --output packaging/classjournal.ico "$work"/{16,24,32,48,64}.png --raw="$work/256.png"
echo "packaging/classjournal.ico made"
