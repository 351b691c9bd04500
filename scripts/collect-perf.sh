#!/bin/bash
# Builds docs/PERFORMANCE.md from the per-area notes in docs/perf/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/PERFORMANCE.md
{
  echo "# Performance"
  echo
  echo "Measured figures of Frothwick, each with the machine, the date and a reference"
  echo "measured in the same run. Benchmarks: \`make bench\` (Google Benchmark, Release"
  echo "build in build-bench/); whole-process figures come from the scripts named in each"
  echo "section. The sections below are kept per area in \`docs/perf/\` and collected"
  echo "here by \`scripts/collect-perf.sh\`."
  echo
  echo "Machine for every figure unless a section says otherwise: 2 cores (\`nproc\` = 2),"
  echo "\"Intel(R) Xeon(R) Processor\" at 2600 MHz (virtual), 24 GiB, Debian 12, g++ 12.2;"
  echo "December 2026. The machine was shared with parallel builds while measuring, so"
  echo "wall times are upper bounds; the ratios to same-run references are the figures"
  echo "to compare."
  echo
  for area in foundation menus widgets controls graphics resources texturefont sound game play dialogs art audio tests saving fuzz demo autoplay; do
    f=docs/perf/$area.md
    [ -f "$f" ] || continue
    echo "<!-- from docs/perf/$area.md -->"
    sed -e 's/^# /## /' "$f" | awk 'NR==1{print; next} /^## /{sub(/^## /,"### ")} {print}'
    echo
  done
} > "$out"
