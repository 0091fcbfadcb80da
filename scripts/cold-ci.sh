#!/usr/bin/env bash
# Measures a cold CI run of what is committed: clones HEAD into a scratch folder, runs .ci/run there on
# the first [cores] processors (default 2) with ccache off, and prints the wall time of each phase, the
# build's time split into compiling library sources, compiling test sources and linking, and the slowest
# build steps.
#   scripts/cold-ci.sh [cores]
set -euo pipefail
cores=${1:-2}
if ! [[ $cores =~ ^[1-9][0-9]*$ ]] || [ "$cores" -gt "$(nproc --all)" ]; then
  echo "cold-ci: cores must be a number from 1 to $(nproc --all), not '$cores'" >&2
  exit 2
fi
repository=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
if [ -n "$(git -C "$repository" status --porcelain)" ]; then
  echo "cold-ci: the work tree has changes; commit them first (the run measures what is committed)" >&2
  exit 2
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/cold-ci.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# From a linked work tree, the clone's HEAD would be the main work tree's branch: check out this one's.
commit=$(git -C "$repository" rev-parse --short HEAD)
git clone --quiet --no-hardlinks --no-checkout "$repository" "$scratch/clone"
git -C "$scratch/clone" checkout --quiet --detach "$commit"
echo "cold-ci: $commit on processors 0-$((cores - 1)), ccache off"

log=$scratch/run.log
start=$EPOCHREALTIME
status=0
(cd "$scratch/clone" && CCACHE_DISABLE=1 taskset -c "0-$((cores - 1))" .ci/run) > "$log" 2>&1 || status=$?
total=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')

echo
echo "Phases (wall time, and the CPU time of the run up to each phase's end):"
grep '^test.sh: ' "$log" | sed 's/^test.sh: /  /' || true
echo "  total $total s, exit code $status"
grep -E '^[0-9]+% tests passed' "$log" | sed 's/^/  /' || true
echo
echo "The 10 slowest tests:"
grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$log" | sed -E 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 s  \1/' |
  sort -rn | head -n 10 | sed 's/^/  /'

ninja_log=$scratch/clone/build/test/.ninja_log
if [ -f "$ninja_log" ]; then
  echo
  # Ninja runs more jobs than processors, so a step's wall time overstates its CPU time; the split is
  # scaled to the build's CPU time as test.sh measured it.
  build_cpu=$(awk '/^test.sh: configure done/ { c = $(NF - 3) } /^test.sh: build done/ { b = $(NF - 3) }
                   END { if (b != "") printf "%.1f", b - c }' "$log")
  echo "Build CPU time ${build_cpu:-unknown} s, split by the steps' share of .ninja_log's step time:"
  awk -F '\t' -v cpu="${build_cpu:-0}" '
    /^#/ { next }
    {
      seconds = ($2 - $1) / 1000
      output = $4
      if (output ~ /\.(o|gch|pch)$/) {
        kind = (output ~ /_tests\.dir\// || output ~ /_replay\.dir\// || output ~ /\/tests\//) ? "test" : "library"
      } else {
        kind = "link"
      }
      sum[kind] += seconds; count[kind]++; all += seconds
    }
    END {
      scale = (cpu > 0 && all > 0) ? cpu / all : 1
      printf "  compiling library and tool sources %7.0f CPU-s in %4d steps\n", sum["library"] * scale, count["library"]
      printf "  compiling test sources             %7.0f CPU-s in %4d steps\n", sum["test"] * scale, count["test"]
      printf "  linking and archiving              %7.0f CPU-s in %4d steps\n", sum["link"] * scale, count["link"]
      printf "  (step wall time in all %.0f s)\n", all
    }' "$ninja_log"
  echo
  echo "The 15 slowest steps (wall time):"
  awk -F '\t' '!/^#/ { printf "%8.1f s  %s\n", ($2 - $1) / 1000, $4 }' "$ninja_log" | sort -rn | head -n 15
fi

# The logs stay in the work tree's build folder for a closer look.
kept=$repository/build/cold-ci
mkdir -p "$kept"
cp "$log" "$kept/run.log"
[ -f "$ninja_log" ] && cp "$ninja_log" "$kept/ninja_log"
echo
echo "Logs: $kept"

if [ "$status" -ne 0 ]; then
  echo
  echo "cold-ci: the run failed; its last lines:"
  tail -n 40 "$log"
fi
exit "$status"
