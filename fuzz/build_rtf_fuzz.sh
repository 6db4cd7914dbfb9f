#!/bin/sh
# Builds the libFuzzer target of the RTF reader into build/fuzz/rtf_fuzz.
# Run it with, for example:
#   build/fuzz/rtf_fuzz -dict=fuzz/rtf.dict -max_total_time=60 build/fuzz/rtf-corpus tests/corpus/rtf
set -e
cd "$(dirname "$0")/.."
mkdir -p build/fuzz/rtf-corpus
${CXX_FUZZ:-clang++} -std=c++20 -g -O1 -Wall -Wextra -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -Isrc \
  fuzz/rtf_fuzz.cpp src/ui/model/RtfReader.cpp -o build/fuzz/rtf_fuzz
echo "built build/fuzz/rtf_fuzz"
