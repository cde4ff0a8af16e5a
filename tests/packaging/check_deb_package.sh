#!/usr/bin/env bash
# Builds the Debian package from a build directory and checks it as Debian's tools see it: the
# files it holds, its fields (library dependencies computed, not typed), its menu entry, and
# lintian finding no error.  Usage: check_deb_package.sh CPACK BUILD_DIR
set -euo pipefail
cpack=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(ls "$out"/lullex_*.deb)
echo "package: $(basename "$deb")"

expected="./usr/bin/lullex
./usr/bin/lullex-session
./usr/share/applications/lullex.desktop
./usr/share/doc/lullex/changelog.gz
./usr/share/doc/lullex/copyright
./usr/share/doc/lullex/index.htm
./usr/share/icons/hicolor/scalable/apps/lullex.svg
./usr/share/lullex/Lullex.ini
./usr/share/man/man1/lullex-session.1.gz -> lullex.1.gz
./usr/share/man/man1/lullex.1.gz"
files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort)
[ "$files" = "$expected" ] || fail "the package holds:
$files
expected:
$expected"
dpkg-deb --contents "$deb" | awk '$1 ~ /^-/ && $2 != "root/root" { print "owned by " $2 ": " $6 }' >"$out/owners"
[ ! -s "$out/owners" ] || fail "files not owned by root: $(cat "$out/owners")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = lullex ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 2.5 ] || fail "Version is '$(field Version)'"
[ "$(field Recommends)" = xdg-utils ] || fail "Recommends is '$(field Recommends)'"
depends=$(field Depends)
echo "depends: $depends"
# dpkg-shlibdeps names each library package with the lowest version the program needs.
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6dbus6 libqt6svg6 \
  libx11-6 libxi6 libc6 libstdc++6; do
  [[ ", $depends," == *", $package ("* ]] || fail "Depends lacks $package"
done

dpkg-deb --extract "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/lullex.desktop" || fail "desktop-file-validate"
if zcat "$out/root/usr/share/man/man1/lullex.1.gz" | groff -man -Tutf8 -ww -z 2>"$out/groff"; then
  [ ! -s "$out/groff" ] || fail "the manual page has warnings: $(cat "$out/groff")"
else
  fail "groff cannot format the manual page"
fi

# lintian exits with 1 when it found errors (the lines "E: ...") and 2 when it could not check.
status=0
lintian --tag-display-limit 0 "$deb" >"$out/lintian" 2>&1 || status=$?
cat "$out/lintian"
if [ "$status" -gt 1 ]; then
  fail "lintian could not check the package"
elif grep '^E: ' "$out/lintian" >/dev/null; then
  fail "lintian reports errors"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package is sound"
