#!/usr/bin/env bash
# Runs the browser tests of the start pages: installs the packages of package-lock.json into the
# work folder when they are missing there or the lock changed, writes the sample pages, and drives
# them in headless Chromium.
# Arguments: the test's source folder, a work folder, the sample page writer.
set -euo pipefail
source_dir=$1 work_dir=$2 sample_pages=$3
if [ ! -x /usr/bin/chromium ]; then
    echo "The browser test needs Debian's chromium at /usr/bin/chromium: run scripts/install-deps.sh --test" >&2
    exit 1
fi
mkdir -p "$work_dir"
cp "$source_dir/package.json" "$source_dir/package-lock.json" "$source_dir"/*.test.js "$work_dir/"
cd "$work_dir"
if ! cmp -s package-lock.json node_modules/.installed-lock.json; then
    npm ci --no-audit --no-fund
    cp package-lock.json node_modules/.installed-lock.json
fi
rm -rf pages
"$sample_pages" "$work_dir/pages"
status=0
node start_pages.test.js "$work_dir/pages/expected.json" || status=1
node modern_page.test.js "$work_dir/pages/modern.json" || status=1
exit $status
