#!/usr/bin/env bash
# The layering check on copies of a few of the tree's files: clean, they
# pass; with an upward include planted in a copy, the check fails and names
# the file and line.
#   planted-include.sh SOURCE_DIR SCRATCH_DIR
set -u
src=$(cd "${1:?source dir}" && pwd)
scratch=${2:?scratch dir}
check=$src/scripts/check-layers.sh
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT

files=(src/core/GameTypes.h src/screens/menu/MenuBackground.cpp framework/platform/SdlClipboard.cpp
       src/screens/players/CreatePlayerDialog.cpp)
for f in "${files[@]}"; do
    mkdir -p "$scratch/$(dirname "$f")"
    cp "$src/$f" "$scratch/$f"
done
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! out=$(bash "$check" "$scratch" "${files[@]}" 2>&1); then
    fail "the clean copies do not pass: $out"
fi

# Plants LINE as the last line of FILE's copy; the check must fail naming
# FILE at that line.
expect_breach() {
    local file=$1 line=$2
    cp "$src/$file" "$scratch/$file"
    echo "$line" >>"$scratch/$file"
    local n
    n=$(wc -l <"$scratch/$file")
    local out
    if out=$(bash "$check" "$scratch" "${files[@]}" 2>&1); then
        fail "$file: '$line' passed"
    elif ! grep -q "^$file:$n: " <<<"$out"; then
        fail "$file: '$line' not reported at line $n: $out"
    fi
    cp "$src/$file" "$scratch/$file"
}

expect_breach src/core/GameTypes.h '#include "src/app/GameApp.h"'
expect_breach src/core/GameTypes.h '#include "framework/graphics/Graphics.h"'
expect_breach src/core/GameTypes.h '#include <SDL2/SDL.h>'
expect_breach src/screens/menu/MenuBackground.cpp '#include "src/app/GameApp.h"'
expect_breach src/screens/menu/MenuBackground.cpp '  #  include "src/screens/players/PlayerSelector.h"'
expect_breach src/screens/players/CreatePlayerDialog.cpp '#include "src/screens/dialogs/WarningDialog.h"'
expect_breach framework/platform/SdlClipboard.cpp '#include "framework/widgets/Clipboard.h"'

# A bare name is the file's own folder: allowed there.
echo '#include "GameTypes.h"' >>"$scratch/src/core/GameTypes.h"
if ! out=$(bash "$check" "$scratch" "${files[@]}" 2>&1); then
    fail "an include of the own folder failed: $out"
fi

if ((failures > 0)); then
    exit 1
fi
echo "planted includes caught"
