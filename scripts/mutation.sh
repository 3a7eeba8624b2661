#!/bin/bash
# Mutation testing of the native tests (a measuring run, not a test):
#   scripts/mutation.sh [--seed N] [--count N]    see scripts/mutation.py
set -euo pipefail
exec python3 "$(dirname "$0")/mutation.py" "$@"
