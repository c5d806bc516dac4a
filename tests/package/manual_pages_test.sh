#!/usr/bin/env bash
# The manual pages render without a warning, and each one's NAME line (what apropos and whatis
# show) begins with the name of the page.
#   manual_pages_test.sh PAGE...   (NAME.1 or NAME.1.gz)
set -euo pipefail
failures=0
for page in "$@"; do
    name=$(basename "$page")
    name=${name%.gz}
    name=${name%.1}
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 \
        >/dev/null) || warnings="man failed: $warnings"
    if [ -n "$warnings" ]; then
        echo "FAILED: $page: $warnings" >&2
        failures=$((failures + 1))
    fi
    whatis=$(lexgrog "$page" 2>&1 || true)
    if [[ "$whatis" != *": \"$name - "* ]]; then
        echo "FAILED: $page: its NAME line reads $whatis" >&2
        failures=$((failures + 1))
    fi
done
if [ $failures -gt 0 ]; then
    exit 1
fi
echo "$# manual pages render without warnings"
