#!/usr/bin/env bash
# Unpacks each release package in DIST (scripts/package) and runs the program from it (the zip's
# under Wine), checks SHA256SUMS, lintian on the .deb, that the packaged README's pictures are in
# the package, and that no file holds the path of the folder it was built in.
set -euo pipefail
dist="$(cd "${1:?usage: packages-test.sh DIST}" && pwd)"
top="$(cd "$(dirname "$0")/../.." && pwd)"
version="$(sed -n 's/^#define LINKLOOM_VERSION_TEXT "\(.*\)"$/\1/p' "$top/src/base/Version.h")"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
failed=0
fail() { echo "packages-test: $*" >&2; failed=1; }

(cd "$dist" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not match"

# Every picture the README in FOLDER shows lies in FOLDER.
pictures_present() {
  local folder="$1"
  grep -o '!\[[^]]*\]([^)]*)' "$folder/README.md" | sed 's/.*](//; s/)$//' | while read -r picture; do
    [ -f "$folder/$picture" ] || echo "$picture"
  done
}

# Tarball: the program runs from it, with its manual page and completions beside it.
linux="$unpacked/linux"
mkdir -p "$linux"
tar -xzf "$dist/linkloom-$version-linux-x86_64.tar.gz" -C "$linux"
root="$linux/linkloom-$version-linux-x86_64"
[ "$("$root/bin/linkloom-cli" --version)" = "linkloom-cli $version" ] || fail "the tarball's program does not run"
for file in share/man/man1/linkloom-cli.1.gz share/bash-completion/completions/linkloom-cli \
            share/zsh/site-functions/_linkloom-cli share/fish/vendor_completions.d/linkloom-cli.fish README.md LICENSE; do
  [ -f "$root/$file" ] || fail "the tarball lacks $file"
done

# The Debian package: lintian finds no error, and its program runs.
deb="$(ls "$dist"/linkloom_"$version"_*.deb)"
if lintian --fail-on error "$deb" > "$unpacked/lintian" 2>&1; then :; else
  cat "$unpacked/lintian" >&2
  fail "lintian finds errors in $(basename "$deb")"
fi
dpkg-deb -x "$deb" "$unpacked/deb"
[ "$("$unpacked/deb/usr/bin/linkloom-cli" --version)" = "linkloom-cli $version" ] || fail "the .deb's program does not run"
[ -f "$unpacked/deb/usr/share/doc/linkloom/copyright" ] || fail "the .deb lacks its copyright file"

# The zip: both programs, the README's pictures; the CLI runs under Wine.
windows="$unpacked/windows"
mkdir -p "$windows"
(cd "$windows" && unzip -q "$dist/linkloom-$version-windows-x86_64.zip")
for file in linkloom.exe linkloom-cli.exe README.md LICENSE; do
  [ -f "$windows/$file" ] || fail "the zip lacks $file"
done
missing="$(pictures_present "$windows")"
[ -z "$missing" ] || fail "the zip's README shows pictures it lacks: $missing"
x86_64-w64-mingw32-objdump -h "$windows/linkloom-cli.exe" | grep -q '\.debug_' && fail "linkloom-cli.exe is not stripped"
[ "$(wine "$windows/linkloom-cli.exe" --version | tr -d '\r')" = "linkloom-cli $version" ] ||
  fail "the zip's linkloom-cli.exe does not run under Wine"

# No file names the folder the programs were built in.
leaks="$(grep -rlaF "$top" "$unpacked" || true)"
[ -z "$leaks" ] || fail "these files hold the build folder's path $top: $leaks"
exit $failed
