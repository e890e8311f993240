#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every source file names its licence in one of its first three lines. Prints each file that does not
# and exits 1 when there is one.
set -uo pipefail
root="${1:-$(dirname "$0")/../..}"
cd "$root" || exit 1
bad=0
while IFS= read -r -d '' file; do
    if ! head -n 3 -- "$file" | grep -q 'SPDX-License-Identifier: MIT'; then
        echo "licence: $file has no SPDX-License-Identifier line"
        bad=1
    fi
done < <(find src tests bench fuzz scripts cmake packaging .ci resources/bin -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.cmake' -o -name CMakeLists.txt -o -name run \
    -o -name ramblenote-print \) -not -path '*/data/*' -print0 2>/dev/null
    printf '%s\0' CMakeLists.txt run.sh test.sh)
exit "$bad"
