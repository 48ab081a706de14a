# Shared by scripts/run and scripts/test: install what is missing, then configure and build.
set -euo pipefail
KORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

korvane_install_deps() {
  local missing=()
  local pkg
  while read -r pkg; do
    [[ -z "$pkg" || "$pkg" == \#* ]] && continue
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done < "$KORVANE_ROOT/scripts/deps"
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# korvane_build <build-dir> <build-type> [extra cmake args...]
korvane_build() {
  local dir=$1 type=$2
  shift 2
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$KORVANE_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}

# What every sanitized program here runs with: a report ends the program with an error, and
# leaks inside system libraries (listed in scripts/sanitizers/lsan.supp) are not reported.
korvane_sanitizer_env() {
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0:check_initialization_order=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$KORVANE_ROOT/scripts/sanitizers/lsan.supp:print_suppressions=0}
}
