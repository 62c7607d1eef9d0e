#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build/fuzz and runs each of them,
# one after the other, for the given number of seconds (default 20). Each corpus starts from
# the seeds the target writes itself, the inputs checked in under fuzz/corpus/<target>/ and
# those under fuzz/crashes/ that once showed a fault in it; what a run adds stays in
# build/fuzz/corpus/<target>/ for the next run. A crash, a hang or a broken property leaves
# its input in build/fuzz/artifacts/<target>/ and makes the script exit non-zero.
#
#   scripts/fuzz.sh [seconds] [target ...]
#     targets: fuzz_data_file fuzz_settings fuzz_radio fuzz_layout
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(fuzz_data_file fuzz_settings fuzz_radio fuzz_layout)

build=build/fuzz
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DTARVOS_CORE_ONLY=ON -DTARVOS_FUZZ=ON >/dev/null || exit 1
cmake --build "$build" -j2 --target "${targets[@]}" || exit 1

# Longest input worth trying for each target.
declare -A max_len=([fuzz_data_file]=1200 [fuzz_settings]=4096 [fuzz_radio]=4096 [fuzz_layout]=4096)

failed=()
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  artifacts=$build/artifacts/$t
  mkdir -p "$corpus" "$artifacts"
  TARVOS_FUZZ_SEEDS=$corpus "$build/fuzz/$t" || { echo "$t: writing seeds failed"; failed+=("$t"); continue; }
  if [ -d "fuzz/corpus/$t" ]; then cp -n fuzz/corpus/$t/* "$corpus"/ 2>/dev/null || true; fi
  # Inputs that once showed a fault stay in the corpus as regression seeds.
  cp -n fuzz/crashes/"${t#fuzz_}"-* "$corpus"/ 2>/dev/null || true
  dict=()
  [ -f "fuzz/$t.dict" ] && dict=(-dict="fuzz/$t.dict")
  echo "== $t: ${seconds}s"
  log=$build/$t.log
  "$build/fuzz/$t" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len="${max_len[$t]:-4096}" -artifact_prefix="$artifacts/" \
    -print_final_stats=1 >"$log" 2>&1
  status=$?
  grep -E '^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb' "$log" | tail -n 3
  if [ $status -ne 0 ]; then
    echo "$t: FOUND A FAULT (exit $status); see $log and $artifacts/"
    grep -E 'fuzz property broken|ERROR: (AddressSanitizer|libFuzzer)|runtime error|Test unit written' "$log" | head -n 5
    failed+=("$t")
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing found no fault"
