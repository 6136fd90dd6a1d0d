#!/usr/bin/env bash
# Fails when a folder includes a header of a folder it may not see: the lower
# layers see no host, framework or layer above them, and the plug-in side
# sees the host only through its published interface (host/include).
set -euo pipefail
cd "$(dirname "$0")/.."

# What each folder may include, besides the standard library.
declare -A allowed=(
    [resources/format]="resources/format"
    [foundation]="foundation resources/format"
    [FileIO]="FileIO foundation resources/format"
    [BarcodeLib]="BarcodeLib foundation resources/format"
    [checking]="checking BarcodeLib FileIO foundation resources/format"
    [resources]="resources foundation resources/format"
    [framework]="framework host/include foundation resources/format"
    [creation]="creation framework host/include BarcodeLib FileIO foundation resources/format resources"
    [application]="application creation checking framework host/include BarcodeLib FileIO foundation resources/format resources"
    [plugin]="plugin application creation checking framework host/include BarcodeLib FileIO foundation resources/format resources"
    [host/include]="host/include"
    [host/src]="host/src host/include resources/format"
    [host/svg]="host/svg host/src host/include resources/format"
    [host/tools]="host/tools host/svg host/src host/include resources/format"
)

# The folder a project header lives in, by its name as included.
declare -A owner=()
while read -r file; do
    case $file in
        host/include/*) owner[${file#host/include/}]=host/include ;;
        host/src/*) owner[${file#host/src/}]=host/src ;;
        host/svg/*) owner[${file##*/}]=host/svg ;;
        host/tools/*) owner[${file##*/}]=host/tools ;;
        resources/format/*) owner[${file##*/}]=resources/format ;;
        BarcodeLib/* | FileIO/*) owner[${file##*/}]=${file%%/*} ;;
        tests/* | bench/*) ;;
        */*) owner[${file##*/}]=${file%%/*} ;;
    esac
done < <(git ls-files '*.h')

status=0
for folder in "${!allowed[@]}"; do
    [ -d "$folder" ] || continue
    while IFS=: read -r file line header; do
        header=${header#*\"}
        header=${header%%\"*}
        from=${owner[$header]:-}
        [ -n "$from" ] || continue  # not one of the project's headers
        case " ${allowed[$folder]} " in
            *" $from "*) ;;
            *)
                echo "$file:$line: $folder may not include $header (from $from)"
                status=1
                ;;
        esac
    done < <(git grep -n -E '^\s*#\s*include\s*"' -- "$folder" | grep -v '^tests/')
done
[ $status -eq 0 ] && echo "layers: every include is allowed"
exit $status
