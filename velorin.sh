#!/usr/bin/env bash
# Sets up, builds and starts Velorin, or builds it and runs every test.
#   ./velorin.sh start   build and start the program
#   ./velorin.sh test    build and run all tests
#   ./velorin.sh bench   build and run the benchmarks
# Extra CMake options may follow, e.g. ./velorin.sh test -DVELORIN_WERROR=ON
set -euo pipefail
cd "$(dirname "$0")"

aktion=${1:-start}
shift || true

pakete=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
        libbenchmark-dev fonts-dejavu-core xvfb xauth fp-utils libchm-dev)

fehlend=()
for p in "${pakete[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || fehlend+=("$p")
done
if ((${#fehlend[@]})); then
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${fehlend[@]}"
    else
        echo "Es fehlen Pakete. Bitte als root ausführen:" >&2
        echo "  apt-get install -y ${fehlend[*]}" >&2
        exit 1
    fi
fi

bau=${VELORIN_BUILD_DIR:-build}
cmake -S . -B "$bau" -G Ninja "$@" >/dev/null
cmake --build "$bau" -j2

case "$aktion" in
start)
    if [ -x "$bau/window/velorin" ]; then
        exec "$bau/window/velorin"
    fi
    exec "$bau/window/velorin-calc" --help
    ;;
test)
    ctest --test-dir "$bau" --output-on-failure -j2
    ;;
bench)
    for b in "$bau"/bench/velorin-bench-*; do
        "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    done
    ;;
*)
    echo "Aufruf: $0 start|test|bench [CMake-Optionen]" >&2
    exit 2
    ;;
esac
