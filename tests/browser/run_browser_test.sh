#!/usr/bin/env bash
# Runs the browser test of the start pages: installs playwright-core into the work folder when
# it is missing there, writes the sample pages, and drives them in headless Chromium.
# Arguments: the test's source folder, a work folder, the sample page writer.
set -euo pipefail
source_dir=$1 work_dir=$2 sample_pages=$3
if [ ! -x /usr/bin/chromium ]; then
    echo "The browser test needs Debian's chromium at /usr/bin/chromium: run scripts/install-deps.sh --test" >&2
    exit 1
fi
mkdir -p "$work_dir"
cp "$source_dir/package.json" "$source_dir/package-lock.json" "$source_dir/start_pages.test.js" "$work_dir/"
cd "$work_dir"
[ -d node_modules ] || npm ci --no-audit --no-fund
rm -rf pages
"$sample_pages" "$work_dir/pages"
node start_pages.test.js "$work_dir/pages/expected.json"
