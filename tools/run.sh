#!/usr/bin/env bash
# Builds Mind Prism into build-run/ (installing what it needs) and starts it:
# the program, the checker and their run-time files, no tests.
# Usage: tools/run.sh [arguments for the program]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build "$RUN_BUILD" "${RUN_OPTIONS[@]}"
cd "$RUN_BUILD"
exec ./mindprism "$@"
