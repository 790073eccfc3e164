#!/usr/bin/env bash
# run-station.sh STATION_SCRIPT
# The folder run.sh starts the console on: a folder named by TOLVANE_HOME is
# left as it is (the console starts there on its defaults), and only the demo
# folder gets the demo station, once. A stand-in for the demo tool notes
# every call.
set -uo pipefail
script=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
tool=$work/tool
printf '#!/bin/sh\necho "$1" >>"%s/calls"\nmkdir -p "$1" && : >"$1/TOLVANE.INI"\n' "$work" >"$tool"
chmod +x "$tool"
calls() { [ -f "$work/calls" ] && cat "$work/calls"; }

# A new, empty station folder, and one holding files but no settings.
for own in "$work/radio" "$work/studio"; do
  [ "$own" = "$work/studio" ] && mkdir -p "$own/drives" && : >"$own/notes.txt"
  before=$(ls -A "$own" 2>/dev/null)
  out=$(TOLVANE_HOME=$own "$script" "$tool" "$work/demo") || fail "the script failed for $own"
  [ "$out" = "$own" ] || fail "the console would start on '$out', not on $own"
  [ -d "$own" ] || fail "$own was not made"
  [ "$(ls -A "$own")" = "$before" ] || fail "something was written into $own: $(ls -A "$own" | tr '\n' ' ')"
done
[ -z "$(calls)" ] || fail "the demo station was built for a named folder: $(calls)"

# No TOLVANE_HOME: the demo folder, built the first time only.
for _ in 1 2; do
  out=$(env -u TOLVANE_HOME "$script" "$tool" "$work/demo" 2>/dev/null) || fail "the script failed for the demo"
  [ "$out" = "$work/demo" ] || fail "the demo would start on '$out'"
done
[ "$(calls)" = "$work/demo" ] || fail "the demo station was built other than once into the demo folder: $(calls)"
echo "OK"
