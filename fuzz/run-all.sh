#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target in <dir> for <seconds> on its seed corpus fuzz/corpus/<target>/ and
# fails when a target crashes. New inputs go to a scratch folder, never into the repository.
# Prints each target's executions. LUMETRA_FUZZ_PARALLEL targets run at once (default 1).
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 <dir-with-fuzzer-binaries> <seconds-each>" >&2
    exit 2
fi
bin_dir=$1
seconds=$2
parallel=${LUMETRA_FUZZ_PARALLEL:-1}
corpus_root="$(cd "$(dirname "$0")" && pwd)/corpus"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

targets=("$bin_dir"/fuzz_*)
if [[ ! -x ${targets[0]} ]]; then
    echo "no fuzz targets in $bin_dir" >&2
    exit 1
fi

# The longest input of a target: one input must stay well under a millisecond. The targets that
# apply their input to a calculator take shorter ones than the pure readers.
max_len_of() {
    case $1 in
        fuzz_data_file | fuzz_evaluation | fuzz_location_database) echo 4096 ;;
        fuzz_data_file_reader | fuzz_location_database_reader | fuzz_weather_file) echo 16384 ;;
        *) echo 1024 ;;
    esac
}

run_target() {
    local target=$1 name
    name=$(basename "$target")
    local seeds="$corpus_root/$name" work="$scratch/$name"
    mkdir -p "$work"
    local args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048
                -max_len="$(max_len_of "$name")" -artifact_prefix="$scratch/$name-"
                -print_final_stats=1)
    local corpora=("$work")
    [[ -d $seeds ]] && corpora+=("$seeds")
    local status=0
    "$target" "${args[@]}" "${corpora[@]}" >"$scratch/$name.log" 2>&1 || status=$?
    echo "$status" >"$scratch/$name.status"
}

names=()
for target in "${targets[@]}"; do
    [[ -x $target && -f $target ]] || continue
    names+=("$(basename "$target")")
    while (($(jobs -rp | wc -l) >= parallel)); do
        wait -n || true
    done
    echo "== $(basename "$target") (${seconds}s)"
    run_target "$target" &
done
wait

failed=0
passed=0
for name in "${names[@]}"; do
    log="$scratch/$name.log"
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    executions=${executions:-0}
    if [[ $(cat "$scratch/$name.status") == 0 ]]; then
        passed=$((passed + 1))
        verdict="clean"
    else
        tail -n 60 "$log"
        for artifact in "$scratch/$name-"*; do
            [[ -f $artifact ]] && echo "crashing input: $(base64 -w0 "$artifact")"
        done
        failed=$((failed + 1))
        verdict="FAILED"
    fi
    printf '%-34s %12s executions in %ss (%s/s), %s\n' "$name" "$executions" "$seconds" \
        "$((executions / seconds))" "$verdict"
done
echo "fuzz targets without a crash: $passed of $((passed + failed))"
((failed == 0))
