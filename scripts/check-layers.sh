#!/usr/bin/env bash
# The house's rules, checked on the sources: every folder includes only its
# own and those below it; the core (what lumidex_core builds) includes no Qt
# header; libocipg uses nothing of the program. Prints each breach and fails
# when there is one.
#
#   scripts/check-layers.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Bottom to top. The subsystems have a core half, in this order, and a Qt
# half, all on one level above gui/.
declare -A rank=([platform]=0 [oci]=1 [oracle]=2 [res]=8 [gui]=9 [shell]=11)
declare -A core_rank=([controls]=3 [browser]=4 [settings]=5 [export]=6 [document]=7)
split=("${!core_rank[@]}")
qt=10

declare -A core_file
for folder in "${split[@]}"; do
  # The sources the folder gives lumidex_core.
  for source in $(awk '/target_sources\(lumidex_core/ { on = 1; next } on && /\)/ { on = 0 } on { print $1 }' \
                    "$folder/CMakeLists.txt"); do
    core_file[$folder/${source%.cpp}]=${core_rank[$folder]}
  done
done

# The layer of a file of the program, by its path.
layer_of() {
  local path=$1 folder=${1%%/*} stem=${1%.*}
  if [ -n "${rank[$folder]+set}" ]; then
    echo "${rank[$folder]}"
  elif [ -n "${core_file[$stem]+set}" ]; then
    echo "${core_file[$stem]}"
  elif [[ $path == *.h && ! -e $stem.cpp ]] && ! grep -q '^#include <Q' "$path"; then
    echo "${core_rank[$folder]}"  # a header of its own that needs no Qt
  else
    echo "$qt"
  fi
}

breaches=0
breach() {
  echo "layers: $1" >&2
  breaches=$((breaches + 1))
}

for path in $(git ls-files '*.cpp' '*.h' | grep -E "^($(IFS='|'; echo "${!rank[*]}|${split[*]}"))/"); do
  own=$(layer_of "$path")
  while IFS= read -r included; do
    [ -e "$included" ] || continue
    [ "$(layer_of "$included")" -le "$own" ] || breach "$path includes $included, a layer above its own"
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$path")
  if [ "$own" -lt "${rank[res]}" ] && grep -q '^#include <Q' "$path"; then
    breach "$path is core and includes a Qt header"
  fi
done

for path in $(git ls-files 'ocipg/*.cpp' 'ocipg/*.h'); do
  while IFS= read -r included; do
    case $included in
      ocipg/* | oci/*) ;;
      *) breach "$path includes $included: libocipg uses only ocipg/ and oci/" ;;
    esac
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$path")
done

if [ "$breaches" -gt 0 ]; then
  echo "layers: $breaches breaches" >&2
  exit 1
fi
echo "layers: every include points down"
