#!/usr/bin/env bash
# Installs the build into a scratch prefix with `cmake --install` and checks what a desktop reads
# there: `check_installed_files.sh BUILD_DIR VERSION desktop|metainfo|icons`.
set -euo pipefail
build=$1 version=$2 what=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
case $what in
  desktop)
    desktop-file-validate "$share/applications/vellumar.desktop"
    grep -qx 'Exec=vellumar %F' "$share/applications/vellumar.desktop"
    ;;
  metainfo)
    appstreamcli validate --no-net "$share/metainfo/org.example.vellumar.metainfo.xml"
    # The newest release named there is the version being built.
    grep -q "<release version=\"$version\"" "$share/metainfo/org.example.vellumar.metainfo.xml" ||
      { echo "metainfo: no release $version"; exit 1; }
    ;;
  icons)
    for size in 16 22 24 32 48 64 128 256; do
      file="$share/icons/hicolor/${size}x${size}/apps/vellumar.png"
      [ -f "$file" ] || { echo "missing $file"; exit 1; }
    done
    [ -f "$share/icons/hicolor/scalable/apps/vellumar.svg" ] || { echo "missing the scalable icon"; exit 1; }
    ;;
esac
echo "$what: ok"
