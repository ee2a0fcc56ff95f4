#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The exporter's files, byte for byte, for a few seeds, sizes and modes: the
# SHA-256 of each run's files (in name order) as the x86-64 build writes
# them. Every build must write the same bytes, so the arm64 build run under
# emulation is held to the x86-64 pictures and recordings, in every theme,
# by this one table;
# the plain loop and the vector kernel share a row's sum.
# Usage: exporter_bytes_test.sh QUORVANA_RENDER
set -uo pipefail
source "$(dirname "$0")/lib.sh"
exporter=$1

# arguments | SHA-256 of the files written
while IFS='|' read -r arguments expected; do
    rm -rf "$WORK/out" && mkdir "$WORK/out"
    [[ $arguments == *--animation* ]] || arguments+=" --out ."  # the recording names its file
    # shellcheck disable=SC2086
    (cd "$WORK/out" && "$exporter" $arguments >/dev/null 2>"$WORK/err") || {
        fail "$arguments: status $?: $(cat "$WORK/err")"
        continue
    }
    got=$(cd "$WORK/out" && LC_ALL=C ls | xargs cat | sha256sum | cut -c1-64)
    [ "$got" = "$expected" ] || fail "$arguments: the files' SHA-256 is $got, not $expected (files: $(ls "$WORK/out" | xargs))"
done <<'CASES'
--size 160x120 --seed 7 --pictures 4|2cf0156ea5c5c9905395249f14f9a5bccc73397143a2944f2258795731d61888
--size 97x61 --seed 123456 --pictures 9 --kernel plain|a8912e384ff45d88d5eccb7247539868a3faf606bb5e993e9c082cb8a105aef7
--size 97x61 --seed 123456 --pictures 9 --kernel auto|a8912e384ff45d88d5eccb7247539868a3faf606bb5e993e9c082cb8a105aef7
--size 64x200 --seed 4000000000 --pictures 3 --wallpaper|0f389e703d982e5a4818184c0ff709d8bbb57f4b3ab73947c7bd3533b29bb873
--size 640x480 --seed 1 --pictures 2|f9c9223f5fd2c88ce8d74d1cdd9ccb3ce54994ab446bc3f14806483fdb8d61f0
--size 80x60 --seed 19 --pictures 2 --animation rec.gif|d884ec155094b70289874c7b77c8062b8e826202201cf8436217519520cb85cb
--size 200x150 --seed 5 --pictures 3 --animation rec.gif --ticks-per-frame 3|197c4bcfc004a1f1a63f0361e16f841144745a1b06fa39723fe334a03b9a64e7
--size 200x150 --seed 5 --pictures 3 --animation rec.webp|b10789d1009ff58a78903cbac3c9acd1df9cb84637424509463a4d2d5365c551
--size 120x90 --seed 3 --pictures 3 --theme warm|71401f72c91db1b52f98f1f824d6d4db2ceccf504662a63cb0f0a934766acaad
--size 120x90 --seed 3 --pictures 3 --theme cold --full-rows|59c4efcfc9eae3ae4d39395fead8c3dd03a28564b9f517a2b17aca3c82a58582
--size 120x90 --seed 3 --pictures 3 --theme spectrum --brightness 40|cf11b24075d18c97bbb7df7f45edf6bd2270d1af2995bc86fc0a45e99f0700d5
--size 120x90 --seed 3 --pictures 3 --theme grey --wallpaper|d0b1a49463d3e49934914d869c6f51cbe965b4bb14eb5a8afce2d4aede623c27
--size 120x90 --seed 3 --pictures 3 --theme green --brightness 70|b78414337d48c1cff358b077b7e53db4ab7b00ea41fc8e3582aa941dd9ced813
--size 80x60 --seed 19 --pictures 2 --theme spectrum --full-rows --animation rec.gif|a98b81ca3761f509ce87435d26ac262fc3a14a2e45985393d2d3613a3f6876db
--size 80x60 --seed 19 --pictures 3 --theme warm --zoom --speed 60 --animation rec.gif|f8fb936de49e1c09c09e1596238810e9dd52b32cf25325995ec9c0628ab30d7d
--size 80x60 --seed 19 --pictures 2 --theme warm --full-rows --zoom --animation rec.webp|3613cf3fee6d917764257226d619c01f9a211e14902ca98bdd757d6c5c06be37
CASES
finish
