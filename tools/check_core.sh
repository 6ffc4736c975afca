#!/usr/bin/env bash
# House checks of the portable core: windows.h only in the Win32 back ends of core/platform/win32,
# and clang-tidy (the committed .clang-tidy) clean over core/ and cli/.
# Usage: tools/check_core.sh BUILD_DIR   (a build with compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}

stray=$(git grep -lE '#\s*include\s*[<"]windows\.h[">]' -- core | grep -v '^core/platform/win32/' || true)
if [ -n "$stray" ]; then
  echo "windows.h included in the portable core outside core/platform/win32:" >&2
  echo "$stray" >&2
  exit 1
fi

# The Win32 back ends are not in the native compile database; clang-tidy reads the rest.
files=$(git ls-files 'core/*.cpp' 'cli/*.cpp' | grep -vE '^core/platform/win32/|^cli/platform_win32\.cpp$')
echo "$files" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet \
  --extra-arg=-Wno-unknown-warning-option 2>/dev/null
