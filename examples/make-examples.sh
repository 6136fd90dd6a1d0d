#!/usr/bin/env bash
# Makes the shipped example document with the driver program itself: three
# barcodes on two layers. Run from the repository root after a build.
set -euo pipefail
host=${1:-build/host/tools/strivelo-host}
prefs=$(mktemp)
trap 'rm -f "$prefs"' EXIT
out=examples/three-barcodes.svg
"$host" --prefs "$prefs" make "$out" --layer Etiketten --at 60,620 \
    --type eanD --code 4-006381-333931 --bwr 0.02
"$host" --prefs "$prefs" make "$out" --into "$out" --layer Etiketten --at 320,620 \
    --type upca --code 0-36000-29145-2 --bwr 0.02
"$host" --prefs "$prefs" make "$out" --into "$out" --layer Versand --at 60,400 \
    --type c128 --code STRIVELO-2024 --bwr 0.02
