#!/usr/bin/env bash
# Fails, naming the files, when clang-format would change any C++ file of the project:
# .clang-format is the house style, and `clang-format -i FILE` puts a file right.
set -euo pipefail
root=$1
clang_format=${2:-clang-format}
cd "$root"
command -v "$clang_format" >/dev/null || { echo "no $clang_format to check the style with"; exit 1; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
    mapfile -t files < <(find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
fi
# One run over every file; clang-format names each file it would change in its warnings.
if ! report=$("$clang_format" --dry-run --Werror "${files[@]}" 2>&1); then
    printf 'not in the house style (clang-format -i FILE puts it right):\n'
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u | sed 's/^/  /'
    exit 1
fi
echo "${#files[@]} files in the house style"
