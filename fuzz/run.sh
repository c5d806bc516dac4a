#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for SECONDS (12 by default) on
# a working corpus seeded from fuzz/corpus/. Fails when a target finds a crash, a leak or an
# input that takes longer than 10 s; the input is then left in build-fuzz/findings/.
#   fuzz/run.sh [SECONDS] [TARGET...]     (targets: reg_reader reg_round_trip
#                                          jpeg_decode_and_fit ppm_reader reg_tool_command_line)
# Without clang and its libFuzzer runtime (Debian: clang, libclang-rt-14-dev) it says so and
# succeeds, so that a machine without them can still run the rest of the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-12}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(reg_reader reg_round_trip jpeg_decode_and_fit ppm_reader reg_tool_command_line)
fi

probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
  > "$probe/probe.cpp"
if ! command -v clang++ >/dev/null ||
   ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
  echo "fuzz: clang with libFuzzer is not installed; the fuzz targets were not run"
  exit 0
fi

cmake -S fuzz -B build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$(nproc)" >/dev/null

seeds() {
  case $1 in
    reg_reader | reg_round_trip) echo fuzz/corpus/reg tests/settings/fixtures/check ;;
    jpeg_decode_and_fit) echo fuzz/corpus/jpeg ;;
    ppm_reader) echo fuzz/corpus/ppm ;;
    reg_tool_command_line) echo fuzz/corpus/reg_tool ;;
  esac
}

status=0
mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$target"
  # shellcheck disable=SC2046  # the seed folders are separate arguments
  if ! ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz_$target" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/findings/$target-" \
      "build-fuzz/corpus/$target" $(seeds "$target") >"build-fuzz/$target.log" 2>&1; then
    echo "fuzz: $target found a fault; see build-fuzz/$target.log and build-fuzz/findings/"
    status=1
  else
    echo "fuzz: $target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "build-fuzz/$target.log")"
  fi
done
exit $status
