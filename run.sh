#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher under Wine on the current display;
# with no display, runs a short scripted demo capture on a virtual one (see scripts/run.py).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
make run
