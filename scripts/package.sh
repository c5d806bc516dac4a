#!/usr/bin/env bash
# Builds the Debian package of Tickwell into dist/ and prints its path.
#   scripts/package.sh [BUILD_DIR]
# Without BUILD_DIR it first builds build/ as scripts/build.sh does: optimised, with debugging
# information, which the package leaves out (its programs are stripped). A BUILD_DIR given must
# be such a build of the whole program: not a debug or sanitizer build, nor one without the
# desktop program. The package is installed with
#   sudo apt install ./dist/tickwell_VERSION_ARCH.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

fail() {
    echo "package: $*" >&2
    exit 1
}

if [ $# -ge 1 ]; then
    build=$(cd "$1" && pwd)
else
    bash scripts/install-deps.sh
    bash scripts/build.sh build >/dev/null
    build=$root/build
fi

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
[ -f "$build/CMakeCache.txt" ] || fail "$build is not a build tree"
case "$(cache_value CMAKE_BUILD_TYPE)" in
Release | RelWithDebInfo | MinSizeRel) ;;
*) fail "$build is not an optimised build (CMAKE_BUILD_TYPE=$(cache_value CMAKE_BUILD_TYPE))" ;;
esac
[ "$(cache_value TICKWELL_SANITIZE)" != ON ] || fail "$build is a sanitizer build"
[ "$(cache_value TICKWELL_BUILD_GUI)" != OFF ] || fail "$build has no desktop program"
control_in=$build/package/control
[ -f "$control_in" ] || fail "$build has no package description (configure it once more)"

work=$(mktemp -d "${TMPDIR:-/tmp}/tickwell-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
stage=$work/root
field() { sed -n "s/^$1: //p" "$control_in"; }
package=$(field Package)
version=$(field Version)
architecture=$(dpkg --print-architecture)
# The package's dates are those of the last commit, so that the same sources give the same
# package.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null ||
    date +%s)}

# The files, as installed under /usr, with the programs stripped as Debian strips them.
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
strip --remove-section=.comment --remove-section=.note "$stage"/usr/bin/*

# What Debian asks of every package besides: the copyright and the changelog.
doc=$stage/usr/share/doc/$package
install -d "$doc"
install -m 644 resources/debian/copyright "$doc/copyright"
{
    echo "$package ($version) unstable; urgency=medium"
    echo
    echo "  * Tickwell $version."
    echo
    echo " -- $(field Maintainer)  $(date -R -u -d "@$SOURCE_DATE_EPOCH")"
} | gzip -9n >"$doc/changelog.gz"

# The libraries the programs need, as Debian's tools compute them from the programs themselves.
mkdir -p "$work/shlibs/debian"
printf 'Source: %s\n\nPackage: %s\nArchitecture: any\n' "$package" "$package" \
    >"$work/shlibs/debian/control"
depends=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$stage"/usr/bin/* 2>"$work/shlibdeps.log") || {
    cat "$work/shlibdeps.log" >&2
    fail "dpkg-shlibdeps could not compute the dependencies"
}
depends=${depends#shlibs:Depends=}

# Files readable by everyone, programs executable, all with the same date.
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage"/usr/bin/*
install -d "$stage/DEBIAN"
(cd "$stage" && find usr -type f -printf '%P\n' | LC_ALL=C sort | sed 's|^|usr/|' |
    xargs md5sum >DEBIAN/md5sums)
chmod 644 "$stage/DEBIAN/md5sums"
{
    grep -v '^Description:' "$control_in" | sed '/^ /d'
    echo "Architecture: $architecture"
    echo "Installed-Size: $(du -sk --apparent-size "$stage/usr" | cut -f1)"
    echo "Depends: $depends"
    sed -n '/^Description:/,$p' "$control_in"
} >"$stage/DEBIAN/control"
find "$stage" -exec touch --no-dereference -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p dist
deb=dist/${package}_${version}_${architecture}.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$root/$deb"
