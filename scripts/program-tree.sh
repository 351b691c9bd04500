#!/usr/bin/env bash
# Copies a program and the data tree beside it into a folder of its own:
#   scripts/program-tree.sh BUILD_BIN_DIR PROGRAM DEST
# The program finds its data beside itself and writes there (players, high
# scores, imported avatars, cached sounds), so scripts run it from the copy
# and the build's bin/ -- the tree `make run` plays -- stays as it is. The
# player's own files are left out, so a run starts like a first start. The
# program is hard-linked where it can be, else copied. Prints the copy's path.
set -euo pipefail
bin="$(cd "${1:?build bin folder}" && pwd)"
name="${2:?program}"
dest="${3:?destination folder}"
mkdir -p "$dest"
for dir in "$bin"/*/; do
    dir="${dir%/}"
    [[ "$(basename "$dir")" == cached ]] && continue
    cp -r "$dir" "$dest/"
done
rm -f "$dest/data/usr.dat" "$dest/data/game.dat"
ln -f "$bin/$name" "$dest/$name" 2>/dev/null || cp "$bin/$name" "$dest/$name"
echo "$dest/$name"
