#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every file the program writes goes through one writer, persistence/FileAccess
# (writeFileReplacing): special files refused, links followed only to regular files, the bytes
# synced in a temporary file beside the target, owner and mode kept, an atomic rename. This
# check fails when a program source writes a file any other way: a save-file class, a file
# stream, fopen or open for writing, a QFile object, a PDF writer, image writer, SVG generator
# or printer given a file name, an image saved under a file name, a file copied or renamed.
# Output is made in memory (a QBuffer) and handed to the writer. Tests, benchmarks, fuzz
# targets and developer tools are exempt.
#
# --self-test proves that each forbidden form is caught and the allowed ones are not.
set -euo pipefail
cd "$(dirname "$0")/.."

# A match counts only before a line comment.
code='^(?:(?!//).)*?'
patterns=(
    '\b(QSaveFile|QTemporaryFile|QLockFile)\b'
    '\b(basic_o?fstream|w?ofstream|w?fstream|filebuf)\b'
    '\b(_w)?fopen\s*\(|\bfreopen\s*\('
    '\bopenFile\s*\([^;]*"[^"]*[wa+][^"]*"'
    '\bopen(at)?\s*\([^;]*\bO_(WRONLY|RDWR|CREAT|TRUNC|APPEND)\b|\bcreat\s*\('
    '(?<![<"/])\bQFile\b(?!\s*::|>)'
    '\b(QPdfWriter|QImageWriter|QPrinter)\s+\w+\s*[({]\s*(?!&|\)|QPrinter::)[^)]'
    '\bnew\s+(QPdfWriter|QImageWriter)\s*\(\s*(?!&)'
    '(\.|->)\s*(setFileName|setOutputFileName)\s*\('
    '(\.|->)\s*save\s*\(\s*(?![&)])'
    '\b(copy_file|resize_file|create_hard_link)\s*\(|\bQFile::(copy|rename|link|resize)\b'
)

# Prints every forbidden line of the given files as file:line:text.
violations() {
    local pattern
    for pattern in "${patterns[@]}"; do
        grep -HnP -- "$code(?:$pattern)" "$@" || true
    done
}

if [[ ${1:-} == --self-test ]]; then
    folder=$(mktemp -d)
    trap 'rm -rf "$folder"' EXIT
    forbidden=(
        'QSaveFile file(path);'
        'std::ofstream out(path, std::ios::binary);'
        'std::fstream both(path);'
        'std::FILE* f = std::fopen(path.c_str(), "wb");'
        'std::FILE* f = openFile(path, "ab");'
        'const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);'
        'QFile file(path);'
        'auto* file = new QFile(path);'
        'QPdfWriter writer(path);'
        'QImageWriter writer(path, "PNG");'
        'svg.setFileName(path);'
        'printer.setOutputFileName(path);'
        'image.save(path, "PNG");'
        'pixmap->save(QStringLiteral("chart.png"));'
        'std::filesystem::copy_file(from, to);'
        'QFile::copy(from, to);'
    )
    allowed=(
        '#include <QFile>'
        'const QByteArray name = QFile::encodeName(path);'
        'QBuffer buffer(&bytes);'
        'buffer.open(QIODevice::WriteOnly);'
        'QPdfWriter writer(&buffer);'
        'QImageWriter writer(&buffer, "PNG");'
        'svg.setOutputDevice(&buffer);'
        'image.save(&buffer, "PNG");'
        'painter.save();'
        'QPrinter printer(QPrinter::HighResolution);'
        'std::ifstream in(path, std::ios::binary);'
        'FilePointer file; openRegularFileForReading(path, file);'
        'std::FILE* f = openFile(path, "rb");'
        '// QSaveFile would leave a half-written file here'
        'writeFileReplacing(target, bytes);'
    )
    failed=0
    for line in "${forbidden[@]}"; do
        printf '%s\n' "$line" >"$folder/case.cpp"
        if [[ -z $(violations "$folder/case.cpp") ]]; then
            echo "not caught: $line" >&2
            failed=1
        fi
    done
    for line in "${allowed[@]}"; do
        printf '%s\n' "$line" >"$folder/case.cpp"
        if [[ -n $(violations "$folder/case.cpp") ]]; then
            echo "wrongly caught: $line" >&2
            failed=1
        fi
    done
    exit "$failed"
fi

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' ':!:tests/' ':!:bench/' ':!:fuzz/' ':!:tools/' \
    ':!:persistence/FileAccess.cpp')
found=$(violations "${sources[@]}" | sort -u)
if [[ -n $found ]]; then
    printf '%s\n' "$found" >&2
    echo "files are written only through persistence/FileAccess (writeFileReplacing)" >&2
    exit 1
fi
