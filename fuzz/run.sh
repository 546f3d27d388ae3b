#!/usr/bin/env bash
# Runs one fuzz target from its seeds: run.sh FUZZER SEEDS NAME [libFuzzer flags...].
# FUZZ_SECONDS: how long (60 unless given). FUZZ_CORPUS: the folder that keeps the inputs the
# fuzzer finds, in NAME/ (corpus/ beside the build's fuzz targets unless given); the seeds are
# only read. A crash fails the run and leaves its input in the current folder, named in full.
set -euo pipefail
fuzzer=$1 seeds=$2 name=$3
shift 3
corpus=${FUZZ_CORPUS:-$PWD/corpus}/$name
mkdir -p "$corpus"
echo "fuzz_$name: ${FUZZ_SECONDS:-60} s from $seeds, new inputs in $corpus"
exec "$fuzzer" -max_total_time="${FUZZ_SECONDS:-60}" -artifact_prefix="$PWD/" "$@" "$corpus" "$seeds"
