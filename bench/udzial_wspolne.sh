# Sourced by the share benchmarks (udzial_sieciowy.sh, udzial_zawieszony.sh)
# from the project's folder: builds the release program and the demo
# station's tool, makes a work folder ($work) that is cleaned up on exit
# with the processes in $pids (a script may define przed_sprzataniem, and
# set sygnal_sprzatania, e.g. -9 for a program that may hang), and compiles
# the shim and the datagram listener there.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build/release -j 3 --target tolvane tolvane-demo-station >/dev/null
program=$(realpath build/release/src/console/tolvane)
tool=$(realpath build/release/tools/demo-station/tolvane-demo-station)

work=$(mktemp -d)
pids=()
cleanup() {
  if declare -F przed_sprzataniem >/dev/null; then przed_sprzataniem; fi
  for p in "${pids[@]}"; do kill ${sygnal_sprzatania:-} "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ -n "${UDZIAL_ZOSTAW:-}" ]; then echo "logs in $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT
cc -O2 -w -shared -fPIC -o "$work/udzial.so" bench/udzial_sieciowy_shim.c -ldl
cc -O2 -w -o "$work/odbior" bench/udzial_sieciowy_odbior.c
teraz() { "$work/odbior" --teraz; }
