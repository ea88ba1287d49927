#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# check-install.sh BUILD-FOLDER: installs a built tree into a scratch root as the package does
# and checks what a desktop reads from it: programs, desktop entry, file type, metainfo, icons
# and manual page. A vorn_*_amd64.deb in BUILD-FOLDER must hold the same files.
# Exits 0 only when every check passes; each failure is named on stderr.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD-FOLDER" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
cmake_bin=${CMAKE:-cmake}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
skip() { echo "skipped: $*"; }

# The audio module's path under the prefix, as the build installs it (lib/<multiarch>/vorn/...).
audio_module=${VORN_AUDIO_MODULE:-lib/x86_64-linux-gnu/vorn/libvornaudio.so}

sizes=(16 32 48 64 128 256)
expected=(
  bin/vorn bin/vorn-calc "$audio_module"
  share/applications/app.vorn.Vorn.desktop
  share/mime/packages/app.vorn.Vorn.xml
  share/metainfo/app.vorn.Vorn.metainfo.xml
  share/man/man1/vorn.1.gz share/man/man1/vorn-calc.1.gz
  share/doc/vorn/copyright share/doc/vorn/changelog.gz
  share/icons/hicolor/scalable/apps/app.vorn.Vorn.svg
  share/icons/hicolor/scalable/mimetypes/application-x-vorn-document.svg
)
for s in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${s}x${s}/apps/app.vorn.Vorn.png"
             "share/icons/hicolor/${s}x${s}/mimetypes/application-x-vorn-document.png")
done

# "WIDTHxHEIGHT" of a PNG from its IHDR chunk, or nothing when the signature is wrong.
png_size() {
  [ "$(od -An -tx1 -N8 "$1" | tr -d ' \n')" = 89504e470d0a1a0a ] || return 0
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

listing() { (cd "$1" && find . ! -type d | sort); }

# The files a package root must hold, the programs runnable, the PNGs of their folder's size.
check_tree() {
  local root=$1 label=$2 f s png missing=() wrong=()
  for f in "${expected[@]}"; do
    [ -f "$root/usr/$f" ] || missing+=("$f")
  done
  for f in bin/vorn bin/vorn-calc; do
    [ ! -f "$root/usr/$f" ] || [ -x "$root/usr/$f" ] || missing+=("$f (not executable)")
  done
  if [ ${#missing[@]} -eq 0 ]; then pass "$label: every file in place"; else
    fail "$label: missing ${missing[*]}"; fi
  for s in "${sizes[@]}"; do
    for png in "$root/usr/share/icons/hicolor/${s}x${s}"/*/*.png; do
      [ -f "$png" ] || continue
      [ "$(png_size "$png")" = "${s}x${s}" ] || wrong+=("${png#"$root"/}: $(png_size "$png")")
    done
  done
  if [ ${#wrong[@]} -eq 0 ]; then pass "$label: PNG icons of their folder's size"; else
    fail "$label: icons that are not PNGs of their folder's size: ${wrong[*]}"; fi
}

# ---------------------------------------------------------------- the installed tree
root=$tmp/root
if ! DESTDIR=$root "$cmake_bin" --install "$build" --prefix /usr >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log" >&2
  fail "cmake --install $build"
  echo "1 check failed" >&2
  exit 1
fi
check_tree "$root" "install"
# Before the MIME database is built in it.
listing "$root" >"$tmp/installed.list"
share=$root/usr/share

desktop=$share/applications/app.vorn.Vorn.desktop
if desktop-file-validate "$desktop" >"$tmp/desktop.log" 2>&1 && [ ! -s "$tmp/desktop.log" ]; then
  pass "desktop entry validates"
else
  fail "desktop-file-validate: $(cat "$tmp/desktop.log")"
fi
grep -qx 'MimeType=application/x-vorn-document;' "$desktop" ||
  fail "desktop entry does not open application/x-vorn-document"

mime_xml=$share/mime/packages/app.vorn.Vorn.xml
xmllint --noout "$mime_xml" || fail "xmllint: $mime_xml"
if command -v update-mime-database >/dev/null; then
  # It notes on stderr that the scratch root is not in XDG_DATA_DIRS; only failures matter.
  if update-mime-database "$share/mime" >"$tmp/mime.log" 2>&1 &&
    [ -f "$share/mime/application/x-vorn-document.xml" ]; then
    pass "file type enters the MIME database"
  else
    fail "update-mime-database did not take application/x-vorn-document: $(cat "$tmp/mime.log")"
  fi
else
  skip "update-mime-database is not installed"
fi

# The tree, not the file alone: the metainfo's launchable must be a desktop entry there.
if appstreamcli validate-tree --no-net "$root" >"$tmp/appstream.log" 2>&1; then
  pass "metainfo validates with its desktop entry"
else
  fail "appstreamcli validate-tree: $(cat "$tmp/appstream.log")"
fi

for page in vorn:FILES vorn-calc:'EXIT STATUS'; do
  man_page=$share/man/man1/${page%%:*}.1.gz
  if MANWIDTH=80 man --warnings -l "$man_page" 2>"$tmp/man.log" >"$tmp/man.txt" &&
    [ ! -s "$tmp/man.log" ] && grep -q "${page#*:}" "$tmp/man.txt"; then
    pass "manual page ${page%%:*}(1) renders without warnings"
  else
    fail "man -l $man_page: $(cat "$tmp/man.log")"
  fi
done

# ---------------------------------------------------------------- the file type on real files
# The magic must be today's header byte for byte: vorn-calc writes a document the program
# would. Older documents (version 1.0, no title) are left to the glob.
document=$tmp/lute.vrd
if "$build/cli/vorn-calc" new 3 "$document" >/dev/null; then
  offset=$(xmllint --xpath 'string(//*[local-name()="match"]/@offset)' "$mime_xml")
  value=$(xmllint --xpath 'string(//*[local-name()="match"]/@value)' "$mime_xml")
  magic=$(printf '%b' "$value" | od -An -tx1 | tr -d ' \n')
  head=$(tail -c +"$((offset + 1))" "$document" | head -c "$((${#magic} / 2))" |
    od -An -tx1 | tr -d ' \n')
  if [ -n "$magic" ] && [ "$magic" = "$head" ]; then
    pass "magic is the document's first bytes ($magic)"
  else
    fail "magic $magic is not the document's bytes $head at offset $offset"
  fi

  # gio reads the database the shell and file managers use; xdg-mime outside a known desktop
  # asks file(1), which does not.
  if command -v gio >/dev/null && [ -f "$share/mime/mime.cache" ]; then
    sniff() {
      XDG_DATA_HOME=$tmp/no-home XDG_DATA_DIRS=$root/usr/share \
        gio info -a standard::content-type "$1" 2>/dev/null |
        sed -n 's/^ *standard::content-type: //p'
    }
    cp "$document" "$tmp/lute-without-extension"
    printf '\x81\x00\x00\x00\x00\x00old' >"$tmp/old.vrd"
    cp "$tmp/old.vrd" "$tmp/old-without-extension"
    sniffed=$failures
    for f in lute.vrd:yes lute-without-extension:yes old.vrd:yes old-without-extension:no; do
      type=$(sniff "$tmp/${f%%:*}")
      if [ "${f##*:}" = yes ] && [ "$type" != application/x-vorn-document ]; then
        fail "${f%%:*} is '$type', not a Vorn document"
      elif [ "${f##*:}" = no ] && [ "$type" = application/x-vorn-document ]; then
        fail "${f%%:*} is taken for a Vorn document"
      fi
    done
    [ "$failures" -ne "$sniffed" ] || pass "documents recognised by name and by content"
  else
    skip "gio is not installed: documents not sniffed"
  fi
else
  fail "vorn-calc new could not write a document"
fi

# ---------------------------------------------------------------- the package
deb=
for f in "$build"/vorn_*_amd64.deb; do
  if [ -f "$f" ] && { [ -z "$deb" ] || [ "$f" -nt "$deb" ]; }; then deb=$f; fi
done
if [ -n "$deb" ]; then
  deb_root=$tmp/deb
  if dpkg-deb -x "$deb" "$deb_root"; then
    check_tree "$deb_root" "$(basename "$deb")"
    if diff "$tmp/installed.list" <(listing "$deb_root") >"$tmp/listing.diff"; then
      pass "package holds exactly the installed files"
    else
      fail "package and installation differ: $(cat "$tmp/listing.diff")"
    fi
    depends=$(dpkg-deb -f "$deb" Depends)
    if [[ $depends == *libqt6* ]]; then pass "package depends on Qt"; else
      fail "package Depends lacks libqt6: '$depends'"; fi
  else
    fail "dpkg-deb -x $deb"
  fi
else
  skip "no vorn_*_amd64.deb in $build (make package builds one)"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all packaging checks passed"
