#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash ./setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVD_TESTS=OFF >/dev/null
cmake --build build/release --target quillory-video-downloader
exec build/release/app/quillory-video-downloader "$@"
