#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/test.sh with its tools replaced by stand-ins that log their call and fail when told:
# a failing stage does not stop the later ones, and the run fails at its end naming every
# stage that failed. Usage: test-script.sh <source dir> <scratch dir>
set -euo pipefail
source_dir=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/repo/scripts" "$scratch/repo/fuzz" "$scratch/bin"
cp "$source_dir/scripts/test.sh" "$scratch/repo/scripts/"
log=$scratch/calls.log

# A stand-in logs "name arguments" and fails when that line matches $FAIL_PATTERN; readelf and
# ldd fail by naming the libraries a program must not link.
stand_in() {
    cat >"$1" <<STUB
#!/usr/bin/env bash
name=\$(basename "\$0")
line="\$name \$*"
echo "\$line" >>"$log"
if [[ -n \${FAIL_PATTERN:-} && \$line =~ \$FAIL_PATTERN ]]; then
    [[ \$name == readelf || \$name == ldd ]] || exit 1
    echo "NEEDED [libQt6Charts.so.6] [libQt6Widgets.so.6]"
fi
[[ \$name == locale ]] && echo de_DE.utf8
exit 0
STUB
    chmod +x "$1"
}
for tool in clang-format cmake ctest readelf ldd nm localedef locale; do
    stand_in "$scratch/bin/$tool"
done
stand_in "$scratch/repo/scripts/install-deps.sh"
stand_in "$scratch/repo/scripts/add-spdx.sh"
stand_in "$scratch/repo/scripts/check-writers.sh"
stand_in "$scratch/repo/fuzz/run-all.sh"
git -C "$scratch/repo" init -q
touch "$scratch/repo/a.cpp"
git -C "$scratch/repo" add a.cpp

failures=0
# expect <name> <exit code> <failed stages or ""> <calls that must have been made...>
expect() {
    local name=$1 code=$2 stages=$3
    shift 3
    : >"$log"
    local output status=0
    output=$(PATH="$scratch/bin:$PATH" "$scratch/repo/scripts/test.sh" 2>&1) || status=$?
    local last
    last=$(tail -n 1 <<<"$output")
    local wanted="==== all tests passed ===="
    [[ -n $stages ]] && wanted="==== failed stages: $stages ===="
    if ((status != code)) || { ((code != 2)) && [[ $last != "$wanted" ]]; }; then
        echo "$name: exit $status, last line \"$last\"; expected exit $code, \"$wanted\"" >&2
        failures=$((failures + 1))
    fi
    local call
    for call in "$@"; do
        if ! grep -qE "$call" "$log"; then
            echo "$name: no call matching \"$call\"" >&2
            failures=$((failures + 1))
        fi
    done
}

unset LUMETRA_STAGES
expect "every stage passes" 0 "" "^cmake --build --preset ci" "^ctest --preset asan" "^run-all.sh"
FAIL_PATTERN='^clang-format' expect "formatting fails, the rest still runs" 1 "format" \
    "^add-spdx.sh --check" "^ctest --preset ci" "^run-all.sh"
FAIL_PATTERN='^add-spdx.sh' expect "a missing licence identifier fails the format stage" 1 "format"
FAIL_PATTERN="^check-writers.sh *\$" expect "a file write outside the one writer fails the format stage" 1 "format"
FAIL_PATTERN='^readelf -d build/ci/app/lumetra' expect "a forbidden library fails the build" 1 \
    "build tests locale" "^ctest --preset asan" "^run-all.sh"
FAIL_PATTERN='^ctest --preset ci|^run-all.sh' expect "tests and fuzzing fail" 1 "tests locale fuzz" \
    "^ctest --preset asan"
FAIL_PATTERN='^cmake --build --preset asan' expect "the sanitizer build fails" 1 "asan" \
    "^run-all.sh"
LUMETRA_STAGES="tests asan" FAIL_PATTERN='^cmake --build --preset ci' \
    expect "tests alone, their build fails" 1 "build tests" "^ctest --preset asan"
LUMETRA_STAGES="tests typo" expect "an unknown stage is refused" 2 ""

if ((failures > 0)); then
    exit 1
fi
echo "all cases passed"
