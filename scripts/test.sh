#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lumetra and runs every test: formatting, the build with
# warnings as errors, all tests (once more under a German locale), all tests under ASan and
# UBSan, and each fuzz target for a bounded time.
#
# A stage that fails does not stop the run: the later stages still run (the two test stages
# only when the build they test was made), and the run fails at its end, naming every stage
# that failed.
#
# LUMETRA_STAGES restricts the run, e.g. LUMETRA_STAGES="build tests" for a quick check.
set -uo pipefail
cd "$(dirname "$0")/.."

all_stages="format build tests locale asan fuzz"
stages=${LUMETRA_STAGES:-$all_stages}
jobs=${LUMETRA_JOBS:-$(nproc)}
want() { [[ " $stages " == *" $1 "* ]]; }
banner() { printf '\n==== %s ====\n' "$*"; }

for stage in $stages; do
    if [[ " $all_stages " != *" $stage "* ]]; then
        echo "unknown stage \"$stage\" in LUMETRA_STAGES (stages: $all_stages)" >&2
        exit 2
    fi
done

# Without the packages nothing can be built or tested: that ends the run at once.
./scripts/install-deps.sh || exit 1

# Each stage runs in a subshell that stops at its first failing command.
stage_format() {
    local failed=0
    banner "formatting"
    git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror || failed=1

    # Every source carries its licence identifier (scripts/add-spdx.sh adds it).
    banner "licence identifiers"
    ./scripts/add-spdx.sh --check || failed=1

    # Qt Test's assertion macros only return from the test function on failure, so under
    # GoogleTest the test passes. Tests use Qt Test for events only.
    banner "no Qt Test assertion macros under tests/"
    local qt_assertions='QCOMPARE|QCOMPARE_[A-Z]+|QVERIFY|QVERIFY2|QVERIFY_[A-Z_]+|QTRY_[A-Z_]+|QFAIL|QSKIP|QEXPECT_FAIL'
    if git grep -nwE "$qt_assertions" -- tests/; then
        echo "Qt Test assertion macros under tests/: use GoogleTest assertions" >&2
        failed=1
    fi

    banner "every file written through persistence/FileAccess"
    ./scripts/check-writers.sh --self-test || failed=1
    ./scripts/check-writers.sh || failed=1
    return $failed
}

stage_ci_build() {
    banner "build (warnings are errors)"
    cmake --preset ci >/dev/null
    cmake --build --preset ci -j "$jobs"
    # The window loads the Auswertung plugin (and with it the charting library) on the
    # Auswertung's first opening: it does not link it. The plugin uses the window's core and
    # carries no code of its own of the core's libraries.
    if readelf -d build/ci/app/lumetra | grep -E 'NEEDED.*(libQt6Charts|libQt6Svg|libQt6PrintSupport)'; then
        echo "lumetra links what only the Auswertung plugin may link" >&2
        exit 1
    fi
    core_symbols=$(nm --defined-only --extern-only build/ci/liblumetra_*.a 2>/dev/null |
        awk '$2 == "T" { print $3 }' | sort -u)
    # Its whole symbol table, so that a hidden copy shows too.
    plugin_symbols=$(nm --defined-only build/ci/evaluation_ui/lumetra-evaluation.so |
        awk '$2 ~ /^[Tt]$/ { print $3 }' | sort -u)
    if copied=$(comm -12 <(echo "$core_symbols") <(echo "$plugin_symbols") | grep .); then
        echo "the Auswertung plugin carries code of the core:" >&2
        echo "$copied" | head -5 >&2
        exit 1
    fi
}

stage_cli_only() {
    # The command-line tool must build and pass its tests without Qt Widgets.
    banner "command line without Qt Widgets"
    cmake --preset cli-only >/dev/null
    cmake --build --preset cli-only -j "$jobs" --target lumetra-cli tests_cli_Cli_test
    if ldd build/cli-only/cli/lumetra-cli | grep -q 'libQt6Widgets'; then
        echo "lumetra-cli links Qt Widgets" >&2
        exit 1
    fi
    ctest --preset cli-only -L cli -j "$jobs" --timeout 300
}

stage_tests() {
    banner "tests"
    ctest --preset ci -j "$jobs" --timeout 300
}

stage_locale() {
    banner "tests under a German locale"
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --preset ci -j "$jobs" --timeout 300
}

stage_asan() {
    banner "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --preset asan -j "$jobs" --timeout 600
}

stage_fuzz() {
    banner "fuzz targets"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    ./fuzz/run-all.sh build/fuzz/fuzz "${LUMETRA_FUZZ_SECONDS:-20}"
}

failed=()
summary=()
# run <stage> <function>: runs the function in a subshell that stops at its first failing
# command, and records the outcome and the time. Called as a command of its own, never in a
# condition or an && list, where bash would ignore the subshell's "set -e".
run() {
    local start=$SECONDS
    (
        set -e
        "$2"
    )
    local status=$?
    local outcome="passed"
    if ((status != 0)); then
        outcome="FAILED"
        failed_stage "$1" || failed+=("$1")
    fi
    summary+=("$(printf '%-8s %-7s %5d s' "$1" "$outcome" $((SECONDS - start)))")
}
failed_stage() { [[ " ${failed[*]-} " == *" $1 "* ]]; }

if want format; then
    run format stage_format
fi
if want build || want tests || want locale; then
    run build stage_ci_build
fi
if want build; then
    run build stage_cli_only
fi
for stage in tests locale; do
    if ! want $stage; then
        continue
    fi
    if failed_stage build; then
        # What the build left would be tested instead: the stage counts as failed.
        banner "$stage: not run, the build failed"
        failed+=("$stage")
        summary+=("$(printf '%-8s %-7s (the build failed)' "$stage" "FAILED")")
    else
        run $stage stage_$stage
    fi
done
if want asan; then
    run asan stage_asan
fi
if want fuzz; then
    run fuzz stage_fuzz
fi

banner "summary"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]} > 0)); then
    banner "failed stages: ${failed[*]}"
    exit 1
fi
banner "all tests passed"
