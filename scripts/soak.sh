#!/usr/bin/env bash
# Soak run: N sends of the examples against trel-printer-sim, each with one randomly chosen fault
# and under a time limit. Prints one line per run and then a table of the outcomes against what the
# exchange rules say each fault must give, and the peak memory of trel and of the stand-in printer.
# Not part of the test command. Usage: scripts/soak.sh N [BUILD_DIR]   (needs a built BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:?usage: scripts/soak.sh N [BUILD_DIR]}
bin=${2:-build}/bin
limit=120  # seconds per run; short acknowledgements take one quiet second per frame
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The job's frames: the recorded ones plus the clock frame, which is never recorded.
job=(--params examples/params.ini --keywords examples/keywords.xml)
"$bin/trel" record --out "$work/job.bin" "${job[@]}" 2>/dev/null
frames=$(($("$bin/trel" decode "$work/job.bin" | grep -c ': seq ') + 1))

# Each fault with the exit status the exchange rules give it for a job of $frames frames: a refused
# or unanswered clock frame is exchanged once more; any later refused or unanswered frame ends the
# job; a reply for another frame is resent once; noise of up to three bytes, split and short
# answers are read as usual; a printer that hangs up after the last frame has done its work.
pick_fault() {
  local n=$((RANDOM % frames + 1))
  case $((RANDOM % 9)) in
    0) echo "none|0" ;;
    1) echo "--nak $n|$([ "$n" -eq 1 ] && echo 0 || echo 1)" ;;
    2) echo "--drop $n|$([ "$n" -eq 1 ] && echo 0 || echo 1)" ;;
    3) echo "--wrong-seq $n|0" ;;
    4) echo "--no-word 1|0" ;;
    5) echo "--garbage aabbcc|0" ;;
    6) echo "--split|0" ;;
    7) echo "--short-acks|0" ;;
    8) echo "--hang-up $n|$([ "$n" -eq "$frames" ] && echo 0 || echo 1)" ;;
  esac
}

declare -A total agreed
trel_peak=0
sim_peak=0
printf '%-4s %-18s %-8s %-6s %-8s %s\n' run fault expected exit seconds verdict
for ((run = 1; run <= runs; run++)); do
  IFS='|' read -r fault expected <<<"$(pick_fault)"
  sim_options=()
  [ "$fault" = none ] || read -r -a sim_options <<<"$fault"
  # Gone first: the background start may create the file only after the wait below looks at it,
  # which would otherwise read the last run's port.
  rm -f "$work/sim.out"
  /usr/bin/time -f '%M' -o "$work/sim.mem" "$bin/trel-printer-sim" --idle-exit 5 \
    "${sim_options[@]}" >"$work/sim.out" 2>/dev/null &
  sim=$!
  # Its first whole line is the port path.
  for _ in $(seq 100); do
    [ -f "$work/sim.out" ] && [ "$(wc -l <"$work/sim.out")" -ge 1 ] && break
    sleep 0.1
  done
  port=$(head -n1 "$work/sim.out")
  start=$(date +%s)
  status=0
  timeout "$limit" /usr/bin/time -f '%M' -o "$work/trel.mem" \
    "$bin/trel" send --port "$port" "${job[@]}" >/dev/null 2>"$work/trel.err" || status=$?
  seconds=$(($(date +%s) - start))
  kill "$sim" 2>/dev/null || true
  wait "$sim" 2>/dev/null || true
  kind=${fault%% *}
  total[$kind]=$((${total[$kind]:-0} + 1))
  verdict=MISMATCH
  if [ "$status" -eq "$expected" ]; then
    verdict=ok
    agreed[$kind]=$((${agreed[$kind]:-0} + 1))
  fi
  [ "$status" -ne 124 ] || verdict="TIME LIMIT"
  trel_kb=$(tail -n1 "$work/trel.mem" 2>/dev/null || echo 0)
  sim_kb=$(tail -n1 "$work/sim.mem" 2>/dev/null || echo 0)
  [[ $trel_kb =~ ^[0-9]+$ ]] && ((trel_kb > trel_peak)) && trel_peak=$trel_kb
  [[ $sim_kb =~ ^[0-9]+$ ]] && ((sim_kb > sim_peak)) && sim_peak=$sim_kb
  printf '%-4s %-18s %-8s %-6s %-8s %s\n' "$run" "$fault" "$expected" "$status" "$seconds" "$verdict"
  [ "$verdict" = ok ] || sed 's/^/     | /' "$work/trel.err"
done

echo
printf '%-14s %6s %6s\n' fault runs agreed
mismatches=0
for kind in "${!total[@]}"; do
  printf '%-14s %6s %6s\n' "$kind" "${total[$kind]}" "${agreed[$kind]:-0}"
  mismatches=$((mismatches + total[$kind] - ${agreed[$kind]:-0}))
done
echo "frames per job: $frames; peak memory: trel ${trel_peak} KB, trel-printer-sim ${sim_peak} KB"
[ "$mismatches" -eq 0 ]
