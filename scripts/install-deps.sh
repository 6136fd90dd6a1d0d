#!/usr/bin/env bash
# Installs with apt-get whatever a fresh Debian machine lacks for building and
# testing (test oracles, the benchmark's libraries and fuzzing tools included).
set -euo pipefail
packages=(cmake make g++ clang clang-format libclang-rt-dev git libgtest-dev libgmock-dev
          libbenchmark-dev libxml2-utils zint libzint-dev libzxing-dev locales
          libxml2-dev barcode librsvg2-bin zbar-tools zxing-cpp-tools)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Number formatting is tested under a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
    echo "generating locale de_DE.UTF-8"
    sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
