#!/usr/bin/env bash
# Builds the Debian packages pesko (the program) and pesko-data (its data) from
# debian/ in a clean copy of the tree, copies the .debs into this folder and
# checks both with lintian: any error or warning fails. Slow (it generates all
# the data), so it stays out of the test run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --deb
cmp -s debian/copyright dist/copyright || { echo "debian/copyright differs from dist/copyright" >&2; exit 1; }
work=$(mktemp -d /tmp/pesko-deb-XXXXXX)
trap 'rm -rf "$work"' EXIT
# The tracked files as they stand now, with nothing built or left over.
mkdir "$work/pesko"
git ls-files -z --cached --others --exclude-standard | tar -c --null -T - | tar -x -C "$work/pesko"
(cd "$work/pesko" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -us -uc -b)
version=$(dpkg-parsechangelog -S Version)
debs=("pesko_${version}_$(dpkg --print-architecture).deb" "pesko-data_${version}_all.deb")
for deb in "${debs[@]}"; do
    cp "$work/$deb" .
    dpkg-deb -c "$deb"
done
lintian --pedantic -I --fail-on error,warning "${debs[@]}"
echo "${debs[*]}: lintian found no error or warning"
