#!/usr/bin/env bash
# Installs what the build needs on Debian 12, skipping what is already there, then configures and builds.
# With KINLOOM_SANITIZE=1 it also installs clang and libFuzzer and builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets, into build-sanitize.
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize="${KINLOOM_SANITIZE:-0}"
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libgif-dev libjpeg-dev libicu-dev
          zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-dejavu-core poppler-utils
          qt6-charts-dev libqt6opengl6-dev)
[ "$sanitize" = 1 ] && packages+=(clang libclang-rt-14-dev llvm-14)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
if [ "$sanitize" = 1 ]; then
  build_dir="${KINLOOM_BUILD_DIR:-build-sanitize}"
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DKINLOOM_SANITIZE=ON -DKINLOOM_FUZZ=ON -DKINLOOM_BENCH=OFF \
        "${launcher[@]}" >/dev/null
else
  build_dir="${KINLOOM_BUILD_DIR:-build}"
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build "$build_dir" -j"$(nproc)"
