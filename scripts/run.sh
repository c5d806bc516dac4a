#!/usr/bin/env bash
# Installs what the project needs, builds it, and starts it.
# Until the main window exists this starts the settings store's command-line tool:
# with no arguments it lists the program's settings; any arguments are passed on,
# e.g.  scripts/run.sh add 'HKLM\SOFTWARE\Tickwell2' /v imagesTimeout /t REG_DWORD /d 30
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null

if [ $# -eq 0 ]; then
    set -- query 'HKLM\SOFTWARE\Tickwell2' /s
fi
exec "$root/build/tools/reg/tickwell-reg" "$@"
