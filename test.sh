#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (native, Wine, GUI).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
make test
