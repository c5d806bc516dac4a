#!/usr/bin/env bash
# The Debian package as Debian's tools and a person see it, unpacked into a temporary folder
# (nothing is installed on this machine): its files are the expected ones; the desktop entry,
# the software-centre description and the package itself pass Debian's checkers (lintian with
# no error); each program answers --help and --version with the package's version; the manual
# pages render without warnings; and the unpacked tickwell passes the first desktop test,
# finding its icon in the unpacked icon theme, and the tray's desktop test, whose autostart entry
# names the unpacked program. Lintian's report and the screenshots go to ARTEFACTS_DIR.
#   check_package.sh PACKAGE.deb ARTEFACTS_DIR
set -uo pipefail
deb=$(realpath "$1")
artefacts=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
# The programs' own paths are compared with what they write, so the folder is named as the
# kernel names it.
work=$(realpath "$(mktemp -d "${TMPDIR:-/tmp}/tickwell-package-check.XXXXXX")")
trap 'rm -rf "$work"' EXIT
root=$work/root
passed=0
failed=0

check() { # DESCRIPTION COMMAND...
    local description=$1 output
    shift
    if output=$("$@" 2>&1); then
        passed=$((passed + 1))
        echo "ok: $description"
    else
        failed=$((failed + 1))
        echo "FAILED: $description"
        printf '%s\n' "$output" | sed 's/^/    /'
    fi
}

mkdir -p "$artefacts"
dpkg-deb -x "$deb" "$root" || exit 1
version=$(dpkg-deb -f "$deb" Version)

same_files() {
    diff -u "$here/expected-files.txt" \
        <(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
}
check "the files are the expected ones" same_files

# The desktop entry's checker: its hints count as faults too.
validate_entry() {
    local out
    out=$(desktop-file-validate "$1" 2>&1) && [ -z "$out" ] && return 0
    printf '%s\n' "$out"
    return 1
}
check "the desktop entry is valid" validate_entry "$root"/usr/share/applications/*.desktop
check "the software-centre description is valid with its entry and icons" \
    appstreamcli validate-tree --no-net "$root"

# What lintian says below an error (warnings, information) is kept and counted, not failed on.
lint() {
    local report=$artefacts/lintian.txt
    lintian --fail-on error --display-info --tag-display-limit 0 "$deb" >"$report" 2>&1 || {
        cat "$report"
        return 1
    }
}
check "lintian reports no error" lint
echo "    lintian: $(grep -c '^E: ' "$artefacts/lintian.txt") errors," \
    "$(grep -c '^W: ' "$artefacts/lintian.txt") warnings," \
    "$(grep -c '^I: ' "$artefacts/lintian.txt") notes (lintian.txt)"

check "each program answers --help and --version ($version)" \
    bash "$here/command_line_test.sh" "$version" "$root"/usr/bin/*
check "the manual pages render without warnings" \
    bash "$here/manual_pages_test.sh" "$root"/usr/share/man/*/*.1.gz "$root"/usr/share/man/*/man1/*.1.gz
# The unpacked icon theme comes first, as the installed one would.
export XDG_DATA_DIRS="$root/usr/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
check "the unpacked tickwell passes the first desktop test" \
    bash "$here/../app/desktop_test.sh" "$root/usr/bin/tickwell" "$artefacts/desktop" \
    "$(ls "$root"/usr/share/applications/*.desktop)"
check "the unpacked tickwell's autostart entry names it (the tray's desktop test)" \
    bash "$here/../app/desktop_tray_test.sh" "$root/usr/bin/tickwell" "$artefacts/desktop-tray" \
    "$root/usr/bin/tickwell-reg"

echo "package checks: $passed passed, $failed failed"
[ $failed -eq 0 ]
