#!/usr/bin/env bash
# Counts the lines of C++ that carry meaning (neither blank nor only a
# comment) in the product and in its tests, and their ratio. Test code is
# every file under a tests/, test/ or testing/ folder; fuzz targets and
# benchmarks are measuring tools and count on neither side.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C

meaningful() { xargs -r grep -v -h -E '^[[:space:]]*(//.*)?$' | wc -l; }

sources=$(git ls-files '*.cpp' '*.h')
tests=$(grep -E '(^|/)(tests?|testing)/' <<<"$sources" || true)
product=$(grep -v -E '(^|/)(tests?|testing|fuzz|bench)/' <<<"$sources" || true)

product_lines=$(meaningful <<<"$product")
test_lines=$(meaningful <<<"$tests")
echo "product: $product_lines lines, tests: $test_lines lines," \
    "ratio $(awk -v t="$test_lines" -v p="$product_lines" 'BEGIN { printf "%.2f", t / p }')"
