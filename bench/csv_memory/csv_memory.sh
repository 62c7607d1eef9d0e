#!/usr/bin/env bash
# The memory a CHIRP CSV import takes for a long list: a list of about 50 MB (CHIRP rows for
# locations 1..16 over and over, every eighth one out of range) imported by tarvos-cli under
# /usr/bin/time, against the same import of a 16-row list. Prints both peaks and their ratio;
# a list read row by row keeps the first close to the second.
#   bench/csv_memory/csv_memory.sh [build/default/cli/tarvos-cli] [MEGABYTES]
set -euo pipefail
cd "$(dirname "$0")/../.."
cli=${1:-build/default/cli/tarvos-cli}
megabytes=${2:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

header='Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE'
{
  printf '%s\r\n' "$header"
  for n in $(seq 1 16); do
    printf '%d,,446.%03d250,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,5.00,,Low,,,,,\r\n' "$n" "$n"
  done
} >"$work/short.csv"
{
  printf '%s\r\n' "$header"
  awk -v bytes=$((megabytes * 1024 * 1024)) 'BEGIN {
    total = 0
    for (i = 0; total < bytes; ++i) {
      loc = (i % 8 == 7) ? 17 + i % 5 : 1 + i % 16
      row = sprintf("%d,,446.%03d250,,0.000000,TSQL,88.5,100.0,023,NN,023,Tone->Tone,NFM,5.00,,Low,a comment,,,,\r\n", loc, i % 1000)
      printf "%s", row
      total += length(row)
    }
  }'
} >"$work/long.csv"
cp build/default/data/DefRadioSet.def "$work/in.dat"

# The import's exit code is 1 here (the rows out of range are left out): not a failure.
peak() {
  { /usr/bin/time -v "$cli" csv import "$1" --in "$work/in.dat" --out "$work/out.dat" \
    2>&1 >/dev/null || true; } | sed -n 's/.*Maximum resident set size (kbytes): //p'
}
short=$(peak "$work/short.csv")
long=$(peak "$work/long.csv")
size=$(stat -c %s "$work/long.csv")
echo "list of $((size / 1024 / 1024)) MB: peak ${long} KiB; 16-row list: peak ${short} KiB;" \
  "ratio $(awk -v a="$long" -v b="$short" 'BEGIN { printf "%.2f", a / b }')"
