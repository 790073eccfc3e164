#!/usr/bin/env bash
# Installs what is missing, builds the release program and starts the
# console: on the demo station (built when there is none), or on the station
# folder named by TOLVANE_HOME.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps

LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release "${LAUNCHER[@]}"
cmake --build build/release -j "$(nproc)"

if [ ! -x build/release/src/console/tolvane ]; then
  echo "The libraries are built; the console's start-up is not built yet, so there is nothing to start."
  exit 0
fi

# The demo station, built when missing, unless TOLVANE_HOME names a station
# of one's own, which starts on its defaults.
STATION=$(scripts/station build/release/tools/demo-station/tolvane-demo-station "$PWD/demo-station")
# The demo station drives the simulated relay card (two text files in the
# station); a real station names its own folder and gets no simulation.
if [ -z "${TOLVANE_HOME:-}" ]; then
  export TOLVANE_RELAY=${TOLVANE_RELAY:-simulated}
fi
export TOLVANE_HOME="$STATION"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "There is no display. Start the console under a virtual X server:"
  echo "  xvfb-run -a -s '-screen 0 1400x1050x24' ./run.sh"
  exit 1
fi
cd "$STATION"
exec "$OLDPWD/build/release/src/console/tolvane" "$@"
