#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Lumetra and runs every test: formatting, the build with
# warnings as errors, all tests (once more under a German locale), all tests under ASan and
# UBSan, and each fuzz target for a bounded time.
#
# LUMETRA_STAGES restricts the run, e.g. LUMETRA_STAGES="build tests" for a quick check.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=${LUMETRA_STAGES:-"format build tests locale asan fuzz"}
jobs=${LUMETRA_JOBS:-$(nproc)}
want() { [[ " $stages " == *" $1 "* ]]; }
banner() { printf '\n==== %s ====\n' "$*"; }

./scripts/install-deps.sh

if want format; then
    banner "formatting"
    git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror

    # Every source carries its licence identifier (scripts/add-spdx.sh adds it).
    banner "licence identifiers"
    ./scripts/add-spdx.sh --check

    # Qt Test's assertion macros only return from the test function on failure, so under
    # GoogleTest the test passes. Tests use Qt Test for events only.
    banner "no Qt Test assertion macros under tests/"
    qt_assertions='QCOMPARE|QCOMPARE_[A-Z]+|QVERIFY|QVERIFY2|QVERIFY_[A-Z_]+|QTRY_[A-Z_]+|QFAIL|QSKIP|QEXPECT_FAIL'
    if git grep -nwE "$qt_assertions" -- tests/; then
        echo "Qt Test assertion macros under tests/: use GoogleTest assertions" >&2
        exit 1
    fi
fi

if want build || want tests || want locale; then
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
fi

if want build; then
    # The command-line tool must build and pass its tests without Qt Widgets.
    banner "command line without Qt Widgets"
    cmake --preset cli-only >/dev/null
    cmake --build --preset cli-only -j "$jobs" --target lumetra-cli tests_cli_Cli_test
    if ldd build/cli-only/cli/lumetra-cli | grep -q 'libQt6Widgets'; then
        echo "lumetra-cli links Qt Widgets" >&2
        exit 1
    fi
    ctest --preset cli-only -L cli -j "$jobs" --timeout 300
fi

if want tests; then
    banner "tests"
    ctest --preset ci -j "$jobs" --timeout 300
fi

if want locale; then
    banner "tests under a German locale"
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --preset ci -j "$jobs" --timeout 300
fi

if want asan; then
    banner "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j "$jobs"
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --preset asan -j "$jobs" --timeout 600
fi

if want fuzz; then
    banner "fuzz targets"
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$jobs"
    ./fuzz/run-all.sh build/fuzz/fuzz "${LUMETRA_FUZZ_SECONDS:-20}"
fi

banner "all tests passed"
