#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence identifier into every tracked source: as the first line of C++ files
# ("// SPDX-License-Identifier: GPL-3.0-or-later"), and as the first comment line of CMake and
# shell files ("# ...", after a "#!" line). Running it again changes nothing.
#
#   scripts/add-spdx.sh           adds the identifier where it is missing or misplaced
#   scripts/add-spdx.sh --check   lists the files without it and fails when there are any
set -euo pipefail
cd "$(dirname "$0")/.."

readonly identifier="SPDX-License-Identifier: GPL-3.0-or-later"
check=false
[[ ${1:-} == --check ]] && check=true

# The line the file must have, and at which line number (after a "#!" line: 2).
expected_line() {
    case $1 in
        *.cpp | *.h) echo "// $identifier" ;;
        *) echo "# $identifier" ;;
    esac
}
position() {
    if [[ $1 != *.cpp && $1 != *.h ]] && head -n 1 "$1" | grep -q '^#!'; then
        echo 2
    else
        echo 1
    fi
}

files() {
    git ls-files -- '*.cpp' '*.h' 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake' '*.sh' '.ci/run'
}

missing=()
while IFS= read -r file; do
    [[ -f $file ]] || continue
    line=$(expected_line "$file")
    at=$(position "$file")
    if [[ $(sed -n "${at}p" "$file") == "$line" ]] &&
        [[ $(grep -cE "^(//|#) SPDX-License-Identifier:" "$file") == 1 ]]; then
        continue
    fi
    missing+=("$file")
    $check && continue
    # Drop any identifier line elsewhere, then put the one line in its place.
    mode=$(stat -c %a "$file")
    tmp=$(mktemp)
    grep -v -e "^// SPDX-License-Identifier:" -e "^# SPDX-License-Identifier:" "$file" |
        awk -v at="$at" -v line="$line" 'NR == at { print line } { print } END { if (NR < at) print line }' \
            >"$tmp"
    cat "$tmp" >"$file"
    rm -f "$tmp"
    chmod "$mode" "$file"
done < <(files)

if $check; then
    if ((${#missing[@]} > 0)); then
        printf '%s\n' "${missing[@]}"
        echo "${#missing[@]} files lack the line \"$identifier\" in its place (scripts/add-spdx.sh adds it)" >&2
        exit 1
    fi
elif ((${#missing[@]} > 0)); then
    echo "identifier added to ${#missing[@]} files"
fi
