#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds zorkvm and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/zorkvm
