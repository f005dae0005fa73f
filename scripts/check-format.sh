#!/usr/bin/env bash
# Fails when clang-format (with the project's .clang-format) would change any of the project's
# C++ files, and names them. Usage: check-format.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
changed=0
while IFS= read -r file; do
    if ! clang-format --style=file "$file" | cmp -s - "$file"; then
        echo "check-format: clang-format would change $file" >&2
        changed=$((changed + 1))
    fi
done < <(find base duilib engine app ui tests \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort)
if [ "$changed" -gt 0 ]; then
    echo "check-format: $changed file(s) need clang-format" >&2
    exit 1
fi
echo "check-format: every file is formatted"
