#!/usr/bin/env bash
# Times the check run over a document of 1,000 barcodes through the driver
# program: the document is made once (ten barcodes made with the driver,
# copied a hundred times side by side), then `strivelo-host check` runs on
# it. The driver tells the check's own time; the whole run, with loading the
# SVG and starting the plug-in, is timed here. Run from the repository root
# after a Release build; the first argument names the driver program.
set -euo pipefail
host=${1:-build/host/tools/strivelo-host}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() { "$host" --prefs "$work/prefs" "$@"; }

codes=(4-006381-333931 9-783161-484100 4-012345-678901 5-901234-123457 4-003994-155486
       8-711253-001202 3-045140-105502 7-622210-449283 4-005808-262373 5-449000-000996)
for i in "${!codes[@]}"; do
    into=()
    [ "$i" -eq 0 ] || into=(--into "$work/ten.svg")
    run make "$work/ten.svg" "${into[@]}" --type eanD --code "${codes[$i]}" \
        --at "$((20 + 160 * i)),20" > /dev/null 2>&1
done
# A hundred rows of the ten, each barcode's group moved up by its row.
awk -v rows=100 -v pitch=100 '
    /^    <g>$/ { copying = 1; block = ""; next }
    copying && /^    <\/g>$/ {
        copying = 0
        for (r = 0; r < rows; ++r)
            printf "    <g transform=\"translate(0 %d)\">\n%s    </g>\n", -r * pitch, block
        next
    }
    copying { block = block $0 "\n"; next }
    { print }
' "$work/ten.svg" > "$work/thousand.svg"

echo "document: $(grep -c '^    <g transform' "$work/thousand.svg") barcodes," \
     "$(( $(stat -c %s "$work/thousand.svg") / 1024 )) KiB"
start=$(date +%s.%N)
run check "$work/thousand.svg" --profile examples/retail.bcp --report "$work/report.xml" \
    > "$work/rows.txt" 2> "$work/messages.txt" || true
end=$(date +%s.%N)
grep -E 'the check took' "$work/messages.txt"
grep -E '^barcodes found' "$work/rows.txt"
echo "whole run (start, load the SVG, check, report, save preferences):" \
     "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }') s"
