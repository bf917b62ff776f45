#!/usr/bin/env bash
# Builds everything and runs every test: the full build, then the plain C++
# layers again under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# window and network tests under the same sanitizers, so that a use after
# free in the window's handlers fails a test instead of passing by luck.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh -DSOLVAR_WERROR=ON
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure --timeout 300)

cmake -S . -B build-asan -DSOLVAR_CORE_ONLY=ON -DSOLVAR_SANITIZE=ON -DSOLVAR_BENCHMARKS=OFF \
  -DSOLVAR_WERROR=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan --parallel "$(nproc)"
(cd build-asan && ctest --output-on-failure --timeout 300)

window_tests=(render_tests fine_picture_tests dialogs_tests game_tests settings_tests network_tests network_box_tests hostile_peer_tests
              desktop_tests rules_tests take_back_window_tests keyboard_tests hidpi_window_tests
              other_program_tests opponents_tests game_viewer_tests network_game_tests
              zoom_tests small_screen_tests kept_settings_tests game_review_tests)
cmake -S . -B build-asan-qt -DSOLVAR_SANITIZE=ON -DSOLVAR_BENCHMARKS=OFF -DSOLVAR_WERROR=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan-qt --parallel "$(nproc)" --target "${window_tests[@]}"
(cd build-asan-qt && ctest --output-on-failure --timeout 600 \
  -R "^($(IFS='|'; echo "${window_tests[*]}"))\$")
