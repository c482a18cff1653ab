#!/usr/bin/env bash
# Runs every fuzz target in <dir> for <seconds> on its seed corpus fuzz/corpus/<target>/ and
# fails when a target crashes. New inputs go to a scratch folder, never into the repository.
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 <dir-with-fuzzer-binaries> <seconds-each>" >&2
    exit 2
fi
bin_dir=$1
seconds=$2
corpus_root="$(cd "$(dirname "$0")" && pwd)/corpus"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

targets=("$bin_dir"/fuzz_*)
if [[ ! -x ${targets[0]} ]]; then
    echo "no fuzz targets in $bin_dir" >&2
    exit 1
fi

failed=0
passed=0
for target in "${targets[@]}"; do
    [[ -x $target && -f $target ]] || continue
    name=$(basename "$target")
    seeds="$corpus_root/$name"
    work="$scratch/$name"
    mkdir -p "$work"
    echo "== $name (${seconds}s)"
    args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536
          -artifact_prefix="$scratch/$name-" -print_final_stats=1)
    corpora=("$work")
    [[ -d $seeds ]] && corpora+=("$seeds")
    if "$target" "${args[@]}" "${corpora[@]}" >"$scratch/$name.log" 2>&1; then
        tail -n 3 "$scratch/$name.log"
        passed=$((passed + 1))
    else
        tail -n 60 "$scratch/$name.log"
        for artifact in "$scratch/$name-"*; do
            [[ -f $artifact ]] && echo "crashing input: $(base64 -w0 "$artifact")"
        done
        failed=$((failed + 1))
    fi
done
echo "fuzz targets without a crash: $passed of $((passed + failed))"
((failed == 0))
