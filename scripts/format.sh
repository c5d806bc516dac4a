#!/usr/bin/env bash
# Formats every C and C++ source of the repository with clang-format and the repository's
# .clang-format; with --check it changes nothing and fails, naming the files, when one is not
# formatted.
#   scripts/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
    unformatted=()
    for file in "${files[@]}"; do
        clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
    done
    if [ ${#unformatted[@]} -gt 0 ]; then
        echo "Not formatted as .clang-format says (scripts/format.sh fixes them):" >&2
        printf '  %s\n' "${unformatted[@]}" >&2
        exit 1
    fi
    echo "Formatting: ${#files[@]} files as .clang-format says."
else
    clang-format -i "${files[@]}"
fi
