#!/usr/bin/env bash
# Runs the end-to-end test program in several Wine sessions at once, each on a display and in a
# prefix of its own (tools/wine-run.sh), and exits 0 only when every session passed. The cases
# wait on the program's own clock (its first picture, its transitions) far more than they
# compute, so sessions side by side take little more than the longest of them.
#   run-sessions.sh WINE_RUN PROGRAM SESSION...
# A SESSION is one word list: NAME=VALUE words set its environment (GTEST_TOTAL_SHARDS and
# GTEST_SHARD_INDEX split the cases between sessions, LUMI_MONITORS=2 gives two monitors), the
# other words are the program's arguments. Each session's output follows once it has ended.
set -uf  # no globbing: the sessions hold patterns such as --gtest_filter=-TwoMonitors*
wineRun=${1:?WINE_RUN} program=${2:?PROGRAM}
shift 2
logs=$(mktemp -d)
pids=()
for session in "$@"; do
  environment=() arguments=()
  for word in $session; do
    if [[ ${#arguments[@]} -eq 0 && $word =~ ^[A-Z_0-9]+= ]]; then environment+=("$word"); else arguments+=("$word"); fi
  done
  env "${environment[@]}" bash "$wineRun" "$program" "${arguments[@]}" >"$logs/${#pids[@]}" 2>&1 &
  pids+=($!)
done
rc=0
for i in "${!pids[@]}"; do
  wait "${pids[$i]}" || rc=1
  echo "=== session $((i + 1)): $(echo "${@:i+1:1}") ==="
  cat "$logs/$i"
done
rm -rf "$logs"
exit $rc
