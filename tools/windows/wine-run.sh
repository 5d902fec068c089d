#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest and CMake (the cross build's
# emulator): the program's CR LF line ends become LF, as the tools reading
# its output (GoogleTest's test discovery among them) expect. The exit
# status is the program's.
set -o pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"
wine "$@" | sed 's/\r$//'
