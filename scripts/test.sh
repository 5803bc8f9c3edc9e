#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, then builds and runs every test:
# the full Qt build, the portable layers alone with Qt turned off, and the web edition
# (WebAssembly, tested under node and in headless Chromium).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# A test that is skipped must print why (GoogleTest's "Skipped" line followed by the
# reason, Qt Test's "SKIP : name() reason"); a silent skip is a test that never runs
# unnoticed, and fails the run.
check_skips() {
  local log="build/$1/Testing/Temporary/LastTest.log"
  awk '
    /: Skipped$/ { if ((getline reason) <= 0 || reason ~ /^[[:space:]]*$/ || reason ~ /\[  SKIPPED \]/) {
                     print "silent skip: " $0; silent = 1 } }
    /^SKIP +: [A-Za-z0-9_:]+\([^)]*\) *$/ { print "silent skip: " $0; silent = 1 }
    END { exit silent }' "$log"
}

cmake --preset noqt >/dev/null
cmake --build --preset noqt
ctest --preset noqt
check_skips noqt

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
check_skips default

cmake --preset web >/dev/null
cmake --build --preset web
ctest --preset web
check_skips web
