#!/usr/bin/env bash
# Builds Mind Prism (installing what it needs) and starts it.
# Usage: tools/run.sh [arguments for the program]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build "$ROOT/build"
cd "$ROOT/build"
exec ./mindprism "$@"
