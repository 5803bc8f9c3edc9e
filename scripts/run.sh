#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and starts the editor.
# Arguments are passed to the program (for example a document to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec ./build/default/shell/molvex2 "$@"
