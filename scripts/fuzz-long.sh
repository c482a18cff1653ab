#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (clang, "fuzz" preset) and runs every one of them for the given number
# of seconds (default 600) at the lowest priority, two at a time, then prints each target's
# executions and whether it stayed clean.
#
#   ./scripts/fuzz-long.sh [seconds-each]
#
# LUMETRA_FUZZ_PARALLEL sets how many targets run at once (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${LUMETRA_JOBS:-2}"
LUMETRA_FUZZ_PARALLEL=${LUMETRA_FUZZ_PARALLEL:-2} \
    nice -n 19 ./fuzz/run-all.sh build/fuzz/fuzz "$seconds"
