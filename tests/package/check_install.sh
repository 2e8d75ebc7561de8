#!/usr/bin/env bash
# What an install brings, checked the way a distribution would: `cmake --install` into a
# temporary prefix, then the .deb that cpack makes, unpacked with dpkg -x. Each must hold the
# client and its agent, the desktop entry, the icons, the AppStream metadata and the manual page,
# all valid; the unpacked client must run without Qt and find its agent; and the autostart entry
# must never be installed by default. GNOME's Shell extension comes along, named by its uuid.
# Usage: check_install.sh BUILD_FOLDER APP_ID VERSION
set -euo pipefail
build=$1 id=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

expected=(
  bin/dovrik
  libexec/dovrik/dovrik-agent
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/man/man1/dovrik.1
  share/icons/hicolor/scalable/apps/$id.svg
  share/gnome-shell/extensions/dovrik@dovrik.org/metadata.json
  share/gnome-shell/extensions/dovrik@dovrik.org/extension.js
  share/gnome-shell/extensions/dovrik@dovrik.org/shell.js
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done

# The files of one installed tree under PREFIX, and their validity.
check_tree() {
  local prefix=$1 what=$2
  for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || fail "$what: $file is missing"
  done
  if find "$prefix" -path '*autostart*' | grep -q .; then
    fail "$what: an autostart entry is installed"
  fi
  desktop-file-validate "$prefix/share/applications/$id.desktop" ||
    fail "$what: the desktop entry is not valid"
  appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" >"$work/as" ||
    { cat "$work/as" >&2; fail "$what: the AppStream metadata is not valid"; }
  local warnings
  warnings=$(groff -man -ww -z "$prefix/share/man/man1/dovrik.1" 2>&1)
  [ -z "$warnings" ] || fail "$what: the manual page has roff warnings: $warnings"
  for size in 16 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png" |
      grep -q "$size x $size" || fail "$what: the ${size}px icon is not ${size}x${size}"
  done
  # The Shell loads an extension only from a folder named after the uuid its metadata gives.
  grep -q '"uuid": "dovrik@dovrik.org"' \
    "$prefix/share/gnome-shell/extensions/dovrik@dovrik.org/metadata.json" ||
    fail "$what: the GNOME Shell extension's metadata names another uuid"
  local shown
  shown=$("$prefix/bin/dovrik" --version) || fail "$what: the program does not run"
  [ "$shown" = "dovrik $version" ] || fail "$what: the program says '$shown'"
  if ldd "$prefix/bin/dovrik" | grep -Eq 'libQt|libxcb'; then
    fail "$what: the client links Qt or xcb"
  fi
  # Without a display the agent refuses to start: the words show the client found it.
  local started
  started=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/dovrik" 2>&1) || true
  [[ $started == *"no X display"* ]] || fail "$what: the client did not start its agent: $started"
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix" "cmake --install"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb=$(echo "$work"/deb/dovrik_"$version"_*.deb)
[ -f "$deb" ] || { fail "cpack made no package"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr" ".deb"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libxcb1 libc6; do
  [[ $depends == *"$library"* ]] || fail ".deb: Depends lacks $library: $depends"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install and .deb: every check passed"
