#!/usr/bin/env bash
# udzial_sieciowy.sh [-n MS] [-c ELEMENTS] [-a ELEMENTS] [-j ELEMENTS] [-t ELEMENTS] [-f SECONDS] [-e ERRNO] [-p RUNS]
# Whether the console's on-air loop keeps ticking while its music folder is
# a slow network share. The release program plays a demo station whose
# music folder sits behind an LD_PRELOAD shim (udzial_sieciowy_shim.c): every
# open, stat, read, close and listing there waits MS ms (-n, 10 by default)
# and is noted with the thread it came from. The loop's heartbeat is the
# monitor datagram, sent every 100 ms from the loop's thread
# (UDPBroadcastMonitorInterwalS=1), received on 127.0.0.1.
#  Run 1 ("czytaj"): the station starts on its emergency list (-a elements,
#   134 by default); once the list is on air the operator's "Czytaj" reads a
#   list of -c elements (10 000) from a local folder: Ctrl+C on the window,
#   "D" and Enter in the browser, typed with xdotool on an Xvfb display.
#  Run 2 ("polnoc"): the same start-up under libfaketime's clock shortly
#   before midnight: from 23:55:00 the next day's list (-j elements, 1 000)
#   is read (SatPListAutoJest, SatPListAutoTS=300), at 00:00:00 the day's
#   list (-a elements) is loaded (SatPLJest).
#  Run 3 ("testy"): run 2 with the next day's durations checked after its
#   read (SatPListAutoTestJest=1) on a list of -t elements (300): besides the
#   gaps, the calls of the read's worker per distinct file it touched and
#   its folder listings (goal at most 3 per file and one listing a folder).
#  Run 4 ("awaria"): a station of short elements plays its emergency list;
#   5 s after the first START every call on the share fails with errno -e
#   (5, EIO; 116 ESTALE, 2 ENOENT) for -f seconds (60), then works again.
#   It gives the time from the share's return to the next START (goal under
#   10 s), the largest gap across the failure, and what the log says.
# -p names the runs, comma-separated (all four by default).
# It gives the first datagram after launch (goal under 1 s), the largest gap
# between datagrams across the start-up, the "Czytaj" and midnight (goal under
# 150 ms each), and the calls on the share made from the GUI thread once the
# loop runs (goal 0). Needs cc, Xvfb, xdotool and faketime; builds the
# release program (build/release) first. One run takes a few minutes at
# 10 ms, a quarter of an hour and more at 50 ms while reads stay on the loop's
# thread. UDZIAL_ZOSTAW=1 keeps the work folder (logs) and names it.
set -euo pipefail
cd "$(dirname "$0")/.."
ms=10 czytaj_n=10000 awaria_n=134 jutro_n=1000 testy_n=300 przebiegi=czytaj,polnoc,testy,awaria awaria_s=60 blad=5
while getopts "n:c:a:j:t:p:f:e:" o; do
  case $o in
    n) ms=$OPTARG ;; c) czytaj_n=$OPTARG ;; a) awaria_n=$OPTARG ;; j) jutro_n=$OPTARG ;; t) testy_n=$OPTARG ;;
    p) przebiegi=$OPTARG ;; f) awaria_s=$OPTARG ;; e) blad=$OPTARG ;;
    *) sed -n '2p' "$0" >&2; exit 2 ;;
  esac
done
przebieg() { [[ ",$przebiegi," == *",$1,"* ]]; }
for t in cc Xvfb xdotool faketime; do
  command -v "$t" >/dev/null || { echo "missing $t (apt-get install gcc xvfb xdotool faketime)" >&2; exit 1; }
done
faketime_so=$(find /usr/lib -name libfaketime.so.1 2>/dev/null | head -1)
[ -n "$faketime_so" ] || { echo "missing libfaketime.so.1 (apt-get install faketime)" >&2; exit 1; }

. bench/udzial_wspolne.sh
znacznik=DLUGA0001

# N elements made of a list's elements over and over; with a fourth
# argument the first one gets that identifier (its cue datagram then says
# that the list was read).
lista() { # SRC N OUT [ID]
  awk -v n="$2" -v z="${4:-}" '
    /^Emi=/ { body = 1 }
    !body { if ($0 ~ /^POZYCJI=/) printf "POZYCJI=%d\r\n", n; else print; next }
    { blk = blk $0 "\n" }
    /^KONIEC OPISU/ { b[++k] = blk; blk = "" }
    END { for (i = 0; i < n; i++) { x = b[i % k + 1]; if (i == 0 && z != "") sub(/\nIde=[^\r\n]*/, "\nIde=" z, x); printf "%s", x } }' "$1" >"$3"
}
klucz() { # INI KEY VALUE: every key is written once
  sed -i "s|^$2=.*|$2=$3\r|" "$1"
}

# A demo station in $1 sending its datagrams to the port in $2: its
# emergency list cut to awaria_n elements, the heartbeat every 100 ms; of
# elements of a few seconds when $krotkie is set.
krotkie=
stacja() {
  "$tool" "$1" --udp-port "$2" ${krotkie:+--short} >/dev/null
  lista "$1/AWARIA.MIX" "$awaria_n" "$1/lista" && mv "$1/lista" "$1/AWARIA.MIX"
  klucz "$1/TOLVANE.INI" UDPBroadcastMonitorInterwalS 1
}

# Starts the listener ($1: a name) and the program on station $2 with the
# shim (more environment in the arguments after); sets port, pid, t0.
uruchom() {
  local nazwa=$1 st=$2
  shift 2
  "$work/odbior" "$work/$nazwa.port" "$work/$nazwa.udp" "IDE=$znacznik" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/$nazwa.port" ] && break; sleep 0.1; done
  port=$(cat "$work/$nazwa.port")
  stacja "$st" "$port"
  "$@"
  ( cd "$st" && exec env TOLVANE_AUDIO=virtual TOLVANE_RELAY=simulated TOLVANE_HOME="$st" \
      UDZIAL_FOLDERY="$st/audio:$st/drives/c" UDZIAL_MS="$ms" UDZIAL_LOG="$work/$nazwa.log" \
      LD_PRELOAD="$work/udzial.so${PRELOAD_DALEJ:-}" "${ENV_DALEJ[@]}" "$program" >/dev/null 2>&1 ) &
  pid=$!
  pids+=($pid)
  for _ in $(seq 100); do [ -s "$work/$nazwa.log" ] && return 0; sleep 0.1; done
  echo "the program did not start" >&2
  return 1
}
# Waits (at most $2 s) until a datagram matches awk condition $1 on the
# listener's lines ($1 monotonic ns, $2 size, $3 START, $4 marker).
czekaj() { # NAME CONDITION SECONDS
  local koniec=$((SECONDS + $3))
  while [ $SECONDS -lt $koniec ]; do
    [ -s "$work/$1.udp" ] && awk "$2 { f = 1 } END { exit !f }" "$work/$1.udp" && return 0
    sleep 0.2
  done
  echo "no datagram where $2 within $3 s" >&2
  return 1
}
zatrzymaj() { kill "$pid" 2>/dev/null || true; sleep 1; kill -9 "$pid" 2>/dev/null || true; }
start_ns() { awk '$2 == "start" { print $1; exit }' "$work/$1.log"; }
pierwszy() { awk "$2 { print \$1; exit }" "$work/$1.udp"; }
# The largest gap between heartbeats that ended from $2 to $3 (ns), in
# seconds.
przerwa() { # NAME FROM TO
  awk -v a="$2" -v b="$3" '$2 == 1400 { if (p && $1 > a && $1 <= b && $1 - p > m) m = $1 - p; p = $1 }
    END { printf "%.3f", m / 1e9 }' "$work/$1.udp"
}
# GUI-thread calls on the share from $2 to $3 (ns): the count and the calls.
wywolania() { # NAME FROM TO
  awk -v a="$2" -v b="$3" '$2 == "gui" && $1 >= a && $1 < b { n++; c[$3]++ }
    END { printf "%d", n; s = ""; for (k in c) s = s (s ? ", " : "") k " " c[k]; if (n) printf " (%s)", s }' "$work/$1.log"
}
s() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }
# The read's worker from $2 to $3 (ns): the thread that opened the most
# distinct files on the share. Its calls on files per distinct file (reads
# and closes by descriptor counted to the file opened), its looks at
# folders and its listings.
na_plik() { # NAME FROM TO
  awk -v a="$2" -v b="$3" '
    $2 == "fd" { p = $5; for (i = 6; i <= NF; i++) p = p " " $i; sc[$3] = p
                 if ($1 >= a && $1 < b) otw[$4, p] = 1
                 next }
    ($2 == "gui" || $2 == "tlo") && $1 >= a && $1 < b {
      t = $NF; w = $4; for (i = 5; i < NF; i++) w = w " " $i
      if (w ~ /^fd[0-9]+$/) w = sc[substr(w, 3)]
      if ($3 == "opendir") { lis[t]++; kat[w] = 1 }
      if ($3 == "opendir" || $3 ~ /^readdir/ || $3 == "getdents64" || $3 == "closedir") { kat[w] = 1; next }
      wyw[t, w]++; sciezki[w] = 1
    }
    END {
      # A path some other path lies in is a folder.
      for (u in sciezki) for (v in sciezki) if (index(v, u "/") == 1) kat[u] = 1
      for (k in otw) { split(k, x, SUBSEP); if (!(x[2] in kat)) nf[x[1]]++ }
      for (t in nf) if (n == "" || nf[t] > nf[n]) n = t
      if (n == "") { printf "no files opened"; exit }
      for (k in wyw) { split(k, x, SUBSEP); if (x[1] != n) continue
        if (x[2] in kat) { kw += wyw[k]; kn++ } else { pw += wyw[k]; if (wyw[k] > m) m = wyw[k] } }
      printf "%d calls on %d distinct files, %.2f per file (at most %d on one); %d looks at %d folders, %d listings",
        pw, nf[n], pw / nf[n], m, kw, kn, lis[n] + 0
    }' "$work/$1.log"
}

echo "share answering in $ms ms per call; emergency list $awaria_n elements, Czytaj $czytaj_n, before midnight $jutro_n ($testy_n with its durations checked)"
# A start-up reads each element of the emergency list with about a dozen
# calls while that is done on the loop's thread.
czas_startu=$((20 + awaria_n * ms * 12 / 1000))

if przebieg czytaj; then
  st=$work/czytaj
  # The server picks a free display (two runs at once do not meet).
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  disp=$(head -1 "$work/display")
  przygotuj_czytaj() {
    mkdir -p "$st/PLAYLISTY"
    lista "$st/AWARIA.MIX" "$czytaj_n" "$st/PLAYLISTY/DLUGA.MIX" "$znacznik"
    klucz "$st/TOLVANE.INI" KatAutomat "$st/PLAYLISTY"
  }
  ENV_DALEJ=(QT_QPA_PLATFORM=xcb DISPLAY=":$disp")
  uruchom czytaj "$st" przygotuj_czytaj
  czekaj czytaj '$3 == 1' "$czas_startu"
  t_on_air=$(pierwszy czytaj '$3 == 1')
  sleep 3
  export DISPLAY=":$disp"
  okno=$(timeout 60 xdotool search --sync --onlyvisible --name 'Tolvane' | head -1)
  # "~Czytaj" is Ctrl+C; pressed again should the browser not show. The
  # command's time runs from the first press (it may work before the browser
  # shows).
  t_czytaj=$(teraz)
  przegladarka=
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$okno" key --clearmodifiers ctrl+c
    przegladarka=$(timeout 60 xdotool search --sync --onlyvisible --name '^Playlisty$' | head -1) && break
  done
  [ -n "$przegladarka" ] || { echo "the browser did not show after Ctrl+C" >&2; exit 1; }
  xdotool windowfocus --sync "$przegladarka" key d key Return
  t_wybrana=$(teraz)
  czekaj czytaj '$4 == 1' $((600 + czytaj_n * ms / 20))
  t_przeczytana=$(pierwszy czytaj '$4 == 1')
  sleep 2
  t_koniec=$(teraz)
  zatrzymaj
  unset DISPLAY
  t0=$(start_ns czytaj)
  t1=$(pierwszy czytaj '$2 == 1400')
  echo "first datagram after launch: $(s "$t0" "$t1") s (goal under 1 s)"
  echo "largest gap, start-up to 2 s after the first START: $(przerwa czytaj "$t1" $((t_on_air + 2000000000))) s (goal under 0.15 s)"
  echo "largest gap, Czytaj of $czytaj_n elements: $(przerwa czytaj "$t_czytaj" "$t_koniec") s; the browser showed after $(s "$t_czytaj" "$t_wybrana") s, the list was read and cued $(s "$t_wybrana" "$t_przeczytana") s after Enter"
  echo "GUI-thread calls on the share before the first datagram: $(wywolania czytaj 0 "$t1")"
  echo "GUI-thread calls on the share, playing (starts, stops): $(wywolania czytaj "$t1" "$t_czytaj")"
  echo "GUI-thread calls on the share, Czytaj: $(wywolania czytaj "$t_czytaj" "$t_koniec")"
  echo "the Czytaj read, its worker: $(na_plik czytaj "$t_wybrana" "$t_przeczytana")"
fi

# A start under libfaketime's clock shortly before midnight: from 23:55:00
# the next day's list of $2 elements is read (its durations checked after
# it with $3 = 1), at 00:00:00 the day's list is loaded.
polnoc() { # NAME ELEMENTS TEST
  local nazwa=$1 jutro=$2 test=$3
  st=$work/$nazwa
  dzien=$(date +%F)
  przed=$((czas_startu + 30))
  od=$(date -d "$dzien 23:55:00 $przed seconds ago" '+%F %T')
  przygotuj_polnoc() {
    mkdir -p "$st/JUTRO" "$st/AP"
    lista "$st/AWARIA.MIX" "$jutro" "$st/JUTRO/$(date -d "$dzien + 1 day" +%y%m%d).MIX"
    lista "$st/AWARIA.MIX" "$awaria_n" "$st/AP/$(date -d "$dzien + 1 day" +%Y%m%d).MIX"
    for k in "SatPListAutoJest 1" "SatPListAutoTS 300" "SatPListAutoKat $st/JUTRO" "SatPLJest 1" "SatPLKatalog $st/AP" \
             "SatPListAutoTestJest $test"; do
      klucz "$st/TOLVANE.INI" $k
    done
  }
  ENV_DALEJ=(QT_QPA_PLATFORM=offscreen FAKETIME="@$od" FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1)
  PRELOAD_DALEJ=" $faketime_so"
  uruchom "$nazwa" "$st" przygotuj_polnoc
  t0=$(start_ns "$nazwa")
  # The fake clock runs from $od at launch: 23:54:55 and 00:00:15 on it.
  t_od=$((t0 + (przed - 5) * 1000000000))
  t_do=$((t0 + (przed + 315) * 1000000000))
  czekaj "$nazwa" "\$2 == 1400 && \$1 > $t_do" $((przed + 400 + jutro * ms / 20))
  zatrzymaj
  t1=$(pierwszy "$nazwa" '$2 == 1400')
  t_pol=$((t0 + (przed + 299) * 1000000000))
  starty=$(awk -v a="$t1" -v b="$t_od" '$3 == 1 && $1 > a && $1 < b' "$work/$nazwa.udp" | wc -l)
  echo "first datagram after launch: $(s "$t0" "$t1") s; largest gap playing until 23:54:55: $(przerwa "$nazwa" "$t1" "$t_od") s"
  echo "GUI-thread calls on the share, playing until 23:54:55 ($starty starts): $(wywolania "$nazwa" "$t1" "$t_od")"
  echo "largest gap, next day's list of $jutro read from 23:55:00$([ "$test" = 1 ] && echo ", its durations checked"): $(przerwa "$nazwa" "$t_od" "$t_pol") s"
  echo "the next day's read, its worker: $(na_plik "$nazwa" "$t_od" "$t_pol")"
  echo "largest gap, the day's list of $awaria_n loaded at 00:00:00: $(przerwa "$nazwa" "$t_pol" "$t_do") s"
  echo "GUI-thread calls on the share, midnight: $(wywolania "$nazwa" "$t_od" "$t_do")"
}

if przebieg polnoc; then polnoc polnoc "$jutro_n" 0; fi
if przebieg testy; then polnoc testy "$testy_n" 1; fi

if przebieg awaria; then
  st=$work/awaria
  wlacznik=$work/awaria.wlaczona
  ENV_DALEJ=(QT_QPA_PLATFORM=offscreen UDZIAL_AWARIA="$wlacznik" UDZIAL_BLAD="$blad")
  PRELOAD_DALEJ=
  krotkie=1
  uruchom awaria "$st" true
  krotkie=
  czekaj awaria '$3 == 1' "$czas_startu"
  sleep 5
  t_awaria=$(teraz)
  touch "$wlacznik"
  sleep "$awaria_s"
  rm -f "$wlacznik"
  t_powrot=$(teraz)
  czekaj awaria "\$3 == 1 && \$1 > $t_powrot" 60 || true
  t_start=$(pierwszy awaria "\$3 == 1 && \$1 > $t_powrot")
  sleep 2
  t_koniec=$(teraz)
  zatrzymaj
  t1=$(pierwszy awaria '$2 == 1400')
  starty=$(awk -v a="$t_awaria" -v b="$t_powrot" '$3 == 1 && $1 > a && $1 < b' "$work/awaria.udp" | wc -l)
  echo "share failing with errno $blad for $awaria_s s, $starty starts meanwhile"
  if [ -n "$t_start" ]; then
    echo "from the share's return to the next start: $(s "$t_powrot" "$t_start") s (goal under 10 s)"
  else
    echo "no start within 60 s of the share's return"
  fi
  echo "largest gap, from the failure to 2 s after that start: $(przerwa awaria "$t_awaria" "$t_koniec") s (goal under 0.15 s)"
  echo "GUI-thread calls on the share while it failed: $(wywolania awaria "$t_awaria" "$t_powrot")"
  dziennik=$(cat "$st"/*.LOG | iconv -f CP1250 -t UTF-8 | tr -d '\r')
  echo "log: $(grep -c 'BRAK NAGRANIA' <<<"$dziennik" || true) BRAK NAGRANIA, $(grep -c 'BŁĄD ODCZYTU NAGRANIA' <<<"$dziennik" || true) BŁĄD ODCZYTU NAGRANIA lines; the share:"
  grep 'katalogu ' <<<"$dziennik" | sed 's/^/  /' || true
fi
