#!/usr/bin/env bash
# The install tree, its desktop files validated, and the Debian package.
# Usage: packaging.sh BUILD_DIR
set -euo pipefail
build=$1
id=io.github.kansu.Kansu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/usr" >/dev/null
for file in bin/kansu share/applications/$id.desktop \
    share/icons/hicolor/scalable/apps/$id.svg share/metainfo/$id.metainfo.xml; do
    [ -f "$work/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$work/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$work/usr/share/metainfo/$id.metainfo.xml"
grep -q '^Categories=Education;Math;$' "$work/usr/share/applications/$id.desktop"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$work"/*.deb)
info=$(dpkg-deb -I "$deb")
for needed in libqt6widgets6 fonts-ipafont-gothic; do
    grep -q "Depends:.*$needed" <<<"$info" || { echo "package does not depend on $needed"; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/kansu ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml; do
    grep -q " $file\$" <<<"$contents" || { echo "not in the package: $file"; exit 1; }
done
echo "packaging: install tree, desktop entry, metainfo and $(basename "$deb") are in order"
