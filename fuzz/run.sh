#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for SECONDS each, from seeds made of the sample classes.
#   fuzz/run.sh SECONDS [TARGET...]     after: cmake --preset fuzz && cmake --build --preset fuzz
# Prints each target's executions per second and total executions; fails when a target finds a crash
# (the input is kept in build/fuzz/crashes/).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?seconds per target}
shift
targets=${*:-fuzz_sdt fuzz_eix fuzz_dat fuzz_class fuzz_ini fuzz_csv fuzz_json}
bin=build/fuzz/bin
work=build/fuzz/run
data=tests/data
mkdir -p "$work/crashes"

seed() { # target, then files to copy into its seed folder
    local t=$1
    shift
    rm -rf "$work/seeds/$t"
    mkdir -p "$work/seeds/$t" "$work/corpus/$t"
    for f in "$@"; do cp "$f" "$work/seeds/$t/"; done
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for c in 5-1 2-3; do
    # Three pupils on records 1..3 and their records.
    { printf '\002\000\001\002'; head -c $((3 * 3106)) "$data/$c.dat"; } >"$tmp/$c.dat3"
done
printf '"C:\\voxadata\\"\r\n0\r\n' >"$tmp/dos.ini"
printf '"C:\\\\\xe5\xad\xa6\xe6\xa0\xa1\\voxadata"\r\n1\r\n' >"$tmp/utf8.ini"
printf '\x8d\x82\x8b\xb4\x81\x40\x88\xea,2\r\n\x8eR\xfa\xb1\x81\x40\x93\xf1,\x92\x6a\r\n"a,b",1\r\n' >"$tmp/sjis.csv"
printf '\xef\xbb\xbf\xe9\xab\x99\xe6\xa9\x8b,\xe5\xa5\xb3\n' >"$tmp/utf8.csv"
printf '\xff\xfeA\x00,\x001\x00' >"$tmp/utf16.csv"
seed fuzz_sdt "$data/5-1.sdt" "$data/2-3.sdt"
seed fuzz_eix "$data/5-1.eix" "$data/2-3.eix"
seed fuzz_dat "$tmp/5-1.dat3" "$tmp/2-3.dat3"
seed fuzz_class fuzz/seeds/fuzz_class/*
seed fuzz_ini "$tmp/dos.ini" "$tmp/utf8.ini"
seed fuzz_csv "$tmp/sjis.csv" "$tmp/utf8.csv" "$tmp/utf16.csv"
seed fuzz_json fuzz/seeds/fuzz_json/*

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Inputs a little longer than the seeds: the readers' work grows with the input, not their paths.
max_len() {
    case $1 in
    fuzz_class) echo 16384 ;;
    fuzz_dat) echo 12800 ;;
    fuzz_json) echo 24576 ;;
    *) echo 4096 ;;
    esac
}
failed=0
for t in $targets; do
    log="$work/$t.log"
    if ! "$bin/$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -detect_leaks=0 -print_final_stats=1 -artifact_prefix="$work/crashes/$t-" \
        "$work/corpus/$t" "$work/seeds/$t" >"$log" 2>&1; then
        echo "$t: CRASH (see $log and $work/crashes/)"
        tail -30 "$log"
        failed=1
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "$t: $runs executions in ${seconds} s, $rate per second, no crash"
done
exit $failed
