#!/usr/bin/env bash
# CI: every C++ source and header is laid out as .clang-format says (clang-format 14 from
# Debian 12) and no line is longer than 100 columns. Lists the files that are not; run
# `scripts/check-format.sh --fix` to reformat them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format-14 > /dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends clang-format-14 > /dev/null
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format-14 -i "${files[@]}"
    exit 0
fi
bad=0
for f in "${files[@]}"; do
    if ! clang-format-14 "$f" | cmp -s - "$f"; then
        echo "check-format: $f is not laid out as .clang-format says" >&2
        bad=1
    fi
done
# Columns are characters, not bytes: comments hold a few non-ASCII signs.
python3 - "${files[@]}" <<'PY' || bad=1
import sys
long = [f"{name}:{n}" for name in sys.argv[1:]
        for n, line in enumerate(open(name, encoding="utf-8"), 1) if len(line.rstrip("\n")) > 100]
for where in long:
    print(f"check-format: {where}: longer than 100 columns", file=sys.stderr)
sys.exit(1 if long else 0)
PY
[ "$bad" -eq 0 ] && echo "check-format: all ${#files[@]} files laid out as .clang-format says"
exit "$bad"
