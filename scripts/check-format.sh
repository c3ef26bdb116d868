#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the tree differs from .clang-format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
echo "==> format: checking every C++ file against .clang-format"
differ=()
while IFS= read -r -d '' file; do
  if ! clang-format --style=file "$file" | cmp -s - "$file"; then
    differ+=("$file")
  fi
done < <(git ls-files -z -- '*.cpp' '*.h')
if ((${#differ[@]})); then
  printf 'format: %s differs from .clang-format\n' "${differ[@]}" >&2
  echo "format: fix with: clang-format -i ${differ[*]}" >&2
  exit 1
fi
