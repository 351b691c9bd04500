#!/usr/bin/env bash
# Checks that every include of ours points down the layers.
#
# usage: check-layers.sh ROOT [FILE...]
#   FILEs are paths relative to ROOT; without them every source and header
#   below the checked folders of ROOT is read. Prints one line per breach,
#   "file:line: folder may not include path", and exits 1 if there is any.
#
# Includes are written from the project root ("framework/graphics/Graphics.h");
# a bare name ("Graphics.h") means the including file's own folder. A file
# always may include its own folder. Angle-bracket includes are system headers;
# src/core allows only the standard library's (names without an extension,
# e.g. <cstdint>), except in the few files listed in systemCalls.
set -u

root=${1:?usage: check-layers.sh ROOT [FILE...]}
shift

# Folder -> what it may include besides itself. "+name" adds everything the
# folder name may include (and name itself). Longest folder prefix wins.
declare -A uses=(
    [external]=""
    [framework/platform]=""
    [framework/graphics]="framework/platform"
    [framework/sound]="framework/platform"
    [framework/widgets]="framework/graphics framework/platform"
    [framework/app]="framework"
    [src/core]=""
    [src/profiles]="src/core framework/platform/FileReplace.h"
    [src/records]="src/core framework/platform/FileReplace.h"
    [src/script]="src/core"
    [src/sprites]="src/core external framework"
    [src/effects]="+src/sprites"
    [src/screens/common]="src/core framework"
    [src/screens/menu]="+src/screens/common src/profiles"
    [src/screens/players]="+src/screens/common src/profiles"
    [src/screens/dialogs]="+src/screens/players src/records"
    [src/play]="+src/effects src/script src/records +src/screens/common"
    [src/screens/game]="+src/play +src/screens/dialogs"
    [src/autoplay]="+src/play"
    [src/autoplay/AutoplayMain.cpp]="src external framework"
    [src/app]="src external framework"
    [src/main.cpp]="src external framework"
    [examples]="src external framework"
)

# Folders whose files need the standard library only.
declare -A stdOnly=([src/core]=1)
# Files of those folders that wrap system calls behind a standard-only header
# (none now: the file replace moved down to framework/platform/FileReplace).
declare -A systemCalls=()

# The folders' allowed prefixes, "+" entries expanded.
declare -A allowed=()
expand() {
    local folder=$1 entry out=""
    for entry in ${uses[$folder]}; do
        if [[ $entry == +* ]]; then
            entry=${entry#+}
            out+=" $entry $(expand "$entry")"
        else
            out+=" $entry"
        fi
    done
    echo "$out"
}
for folder in "${!uses[@]}"; do
    allowed[$folder]="$folder $(expand "$folder")"
done

# The table's folder a path belongs to (longest prefix), or nothing.
folder_of() {
    local path=$1 best="" folder
    for folder in "${!uses[@]}"; do
        if [[ $path == "$folder" || $path == "$folder"/* ]] && ((${#folder} > ${#best})); then
            best=$folder
        fi
    done
    echo "$best"
}

if (($# == 0)); then
    mapfile -t files < <(cd "$root" && find external framework src examples -type f \
        \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.c' -o -name '*.inc' \) 2>/dev/null | sort)
else
    files=("$@")
fi

breaches=0
for file in "${files[@]}"; do
    folder=$(folder_of "$file")
    [[ -n $folder ]] || continue
    if [[ ! -f $root/$file ]]; then
        echo "$file: no such file" >&2
        breaches=$((breaches + 1))
        continue
    fi
    dir=$(dirname "$file")
    while IFS=: read -r line text; do
        if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            [[ $target == */* ]] || target=$dir/$target
            ok=0
            for prefix in ${allowed[$folder]}; do
                if [[ $target == "$prefix" || $target == "$prefix"/* ]]; then
                    ok=1
                    break
                fi
            done
            # Ours are the checked folders; anything else (generated headers,
            # third-party paths) is outside the table.
            if ((ok == 0)) && [[ -n $(folder_of "$target") ]]; then
                echo "$file:$line: $folder may not include $target"
                breaches=$((breaches + 1))
            fi
        elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            target=${BASH_REMATCH[1]}
            if [[ -n ${stdOnly[$folder]:-} && -z ${systemCalls[$file]:-} && ( $target == */* || $target == *.* ) ]]; then
                echo "$file:$line: $folder may use the standard library only, not <$target>"
                breaches=$((breaches + 1))
            fi
        fi
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include' "$root/$file")
done

if ((breaches > 0)); then
    echo "$breaches include(s) break the layers" >&2
    exit 1
fi
exit 0
