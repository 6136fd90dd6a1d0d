#!/usr/bin/env bash
# Sets up a fresh Debian machine (as root), builds Release and runs the main
# job on the shipped example: the check palette checks the three barcodes of
# examples/three-barcodes.svg against examples/retail.bcp and writes an HTML
# report to report.html.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DSTRIVELO_TESTS=OFF \
      -DSTRIVELO_BENCH=OFF
cmake --build "$root/build-release" -j"$(nproc)" --target strivelo-host
"$root/build-release/host/tools/strivelo-host" check "$root/examples/three-barcodes.svg" \
    --profile "$root/examples/retail.bcp" --report report.html --format html
echo "report written to $(pwd)/report.html"
