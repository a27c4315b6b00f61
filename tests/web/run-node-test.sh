#!/usr/bin/env bash
# Runs one of the site's test files with Node's test runner; exit 77 (skipped) when the
# npm packages were not installed (`npm ci` in tests/web) or the site was not built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  echo "SKIP: no puppeteer-core in $here/node_modules (run npm ci there)"
  exit 77
fi
if [ ! -f "${SCR_WEB_SITE:-}/scrweb.wasm" ]; then
  echo "SKIP: no site at '${SCR_WEB_SITE:-}' (build the web preset: bash scripts/web.sh --build-only)"
  exit 77
fi
exec node --test --test-concurrency=1 "$1"
