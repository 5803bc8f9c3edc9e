#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, then builds and runs every test:
# the full Qt build, and the portable layers alone with Qt turned off.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake --preset noqt >/dev/null
cmake --build --preset noqt
ctest --preset noqt

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
