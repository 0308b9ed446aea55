#!/usr/bin/env bash
# Set up, build and start Kinloom; an optional argument names a tree file to open.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
exec "${KINLOOM_BUILD_DIR:-build}/kinloom" "$@"
