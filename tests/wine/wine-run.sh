#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: CTest's emulator.
source "$(dirname "$0")/wine-env.sh"
exec "$wine" "$@"
