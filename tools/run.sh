#!/usr/bin/env bash
# Builds Mind Prism into build-run/ (installing what it needs) and starts it:
# the program, the checker and their run-time files, no tests.
# Usage: tools/run.sh [arguments for the program]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build "$RUN_BUILD" "${RUN_OPTIONS[@]}"
# Started from where the user is, so a quiz file named on the command line is
# found as typed; the program finds its run-time files beside itself.
exec "$RUN_BUILD/mindprism" "$@"
