#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
# The structure check reads the build's description from CMake's file API, which writes it for
# the queries present when it configures.
mkdir -p "$dir/.cmake/api/v1/query"
touch "$dir/.cmake/api/v1/query/codemodel-v2"
cmake -S "$root" -B "$dir" -DTICKWELL_WERROR=ON "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
