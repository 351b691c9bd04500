#!/usr/bin/env bash
# A scratch project built the way ours is: a folder listed but missing and a
# part listed but missing each stop the configuration with an error; with
# both present it configures.
#   missing-part.sh SOURCE_DIR CMAKE SCRATCH_DIR
set -u
src=$(cd "${1:?source dir}" && pwd)
cmake=${2:?cmake}
scratch=${3:?scratch dir}
rm -rf "$scratch"
mkdir -p "$scratch/project/lib"
trap 'rm -rf "$scratch"' EXIT

cat >"$scratch/project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(Scratch NONE)
include($src/cmake/CompilerWarnings.cmake)
foreach(dir lib)
  add_subdirectory(\${dir})
endforeach()
CMAKE
echo 'frothwick_parts(one two)' >"$scratch/project/lib/CMakeLists.txt"
echo 'set(ONE 1)' >"$scratch/project/lib/one.cmake"
echo 'set(TWO 2)' >"$scratch/project/lib/two.cmake"

configure() {
    rm -rf "$scratch/build"
    "$cmake" -S "$scratch/project" -B "$scratch/build" >"$scratch/log" 2>&1
}
failures=0
if ! configure; then
    echo "FAIL: the complete project does not configure:"
    cat "$scratch/log"
    failures=$((failures + 1))
fi
mv "$scratch/project/lib/two.cmake" "$scratch/project/lib/too.cmake"
if configure; then
    echo "FAIL: a missing part configured"
    failures=$((failures + 1))
elif ! grep -q 'two.cmake' "$scratch/log"; then
    echo "FAIL: the error does not name the missing part:"
    cat "$scratch/log"
    failures=$((failures + 1))
fi
mv "$scratch/project/lib/too.cmake" "$scratch/project/lib/two.cmake"
mv "$scratch/project/lib" "$scratch/project/libs"
if configure; then
    echo "FAIL: a missing folder configured"
    failures=$((failures + 1))
fi
if ((failures > 0)); then
    exit 1
fi
echo "missing parts and folders stop the configuration"
