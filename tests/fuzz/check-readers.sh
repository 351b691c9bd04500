#!/usr/bin/env bash
# Every source file of framework/ and src/ that opens files must be listed in
# the table of readers (tests/fuzz/readers.txt) with the fuzz targets that
# feed its reader damaged bytes, or with the reason it needs none:
#   check-readers.sh SOURCE_ROOT TABLE
# A file opens files when a line of it, comments and string literals left
# out, calls fopen, open, ov_fopen or luaL_loadfile, declares a file stream,
# walks a directory, copies or reads a link with std::filesystem, or reads
# through ReadRegularFile (framework/platform/FileReplace.h). Fails, naming
# the file and the line, for a file missing from the table, and for a table
# line naming a fuzz target no tests/fuzz/*.cmake defines or giving no
# reason. Lines of the table naming files that are gone are only reported.
set -uo pipefail
# A source file without its comments and the text of its string literals.
code() {
    sed -E -e 's://.*$::' -e 's/"([^"\\]|\\.)*"/""/g' "$1"
}
root="${1:?source root}"
table="${2:?table of readers}"
cd "$root" || exit 1

opens='(^|[^_[:alnum:]])(fopen|open|ov_fopen|luaL_loadfile|luaL_dofile|opendir|SDL_RWFromFile)[[:space:]]*\('
opens+='|(^|[^_[:alnum:]])(std::)?[io]?fstream[[:space:]]+[_[:alnum:]]+[[:space:]]*[({]'
opens+='|(recursive_)?directory_iterator|copy_file|read_symlink|ReadRegularFile[[:space:]]*\('

declare -A targets=()
while read -r name; do
    targets[$name]=1
done < <(sed -n 's/.*frothwick_add_fuzzer(NAME \([_[:alnum:]]*\).*/\1/p' tests/fuzz/*.cmake)

status=0
declare -A listed=()
lineNo=0
while IFS= read -r line; do
    lineNo=$((lineNo + 1))
    line="${line%%#*}"
    read -r file kind rest <<<"$line"
    [[ -z "${file:-}" ]] && continue
    listed[$file]=1
    case "$kind" in
        fuzz)
            # The comma-separated targets, then an optional note.
            read -r names _ <<<"$rest"
            if [[ -z "${names:-}" ]]; then
                echo "$table:$lineNo: $file: no fuzz target named"
                status=1
            fi
            for t in ${names//,/ }; do
                if [[ -z "${targets[$t]:-}" ]]; then
                    echo "$table:$lineNo: $file: no fuzz target '$t' in tests/fuzz/*.cmake"
                    status=1
                fi
            done
            ;;
        writes-only | none)
            if [[ -z "$rest" ]]; then
                echo "$table:$lineNo: $file: '$kind' needs a reason"
                status=1
            fi
            ;;
        *)
            echo "$table:$lineNo: $file: kind '$kind' is neither fuzz, writes-only nor none"
            status=1
            ;;
    esac
    [[ -e "$file" ]] || echo "note: $table:$lineNo: $file no longer exists"
done <"$table"

found=0
while IFS= read -r file; do
    found=$((found + 1))
    if [[ -z "${listed[$file]:-}" ]]; then
        first="$(code "$file" | grep -nE "$opens" | head -1)"
        echo "$file:${first%%:*}: opens files (${first#*:}) but is not in $table:" \
            "add its fuzz target, or 'writes-only' or 'none' with the reason"
        status=1
    fi
done < <(find framework src \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 grep -lE "$opens" | sort |
    while IFS= read -r f; do
        # The candidates again without comments and strings. Not grep -q:
        # its early exit would fail the pipe (pipefail).
        code "$f" | grep -E "$opens" >/dev/null && echo "$f"
    done)

if [[ $found -eq 0 ]]; then
    echo "no source file opens files: the search is broken"
    status=1
fi
[[ $status -eq 0 ]] && echo "$found source files open files; all are in $table"
exit $status
