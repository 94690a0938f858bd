#!/usr/bin/env bash
# The action's step: finds linkloom-cli for this runner (the release package for the action's
# version when there is one, else a build from the action's source), runs it with the inputs
# from LINKLOOM_* variables and --report github, so that annotations, the step summary and the
# outputs come from the program itself. Its exit status is the step's.
#
# Read from the environment: RUNNER_OS, RUNNER_ARCH, RUNNER_TEMP, GITHUB_ACTION_PATH,
# GITHUB_ACTION_REPOSITORY, GITHUB_ACTION_REF, GITHUB_SERVER_URL and the LINKLOOM_* inputs.
# LINKLOOM_RELEASES may name a folder that holds the release files in place of the download.
set -euo pipefail

action="${GITHUB_ACTION_PATH:-$(cd "$(dirname "$0")/../.." && pwd)}"
temp="${RUNNER_TEMP:-${TMPDIR:-/tmp}}/linkloom"
mkdir -p "$temp"

say() { echo "linkloom action: $*" >&2; }

# The release asset for this runner, or nothing when no release is built for it.
asset_for_runner() {
  local version="$1"
  case "${RUNNER_OS:-}/${RUNNER_ARCH:-X64}" in
    Linux/X64) echo "linkloom-$version-linux-x86_64.tar.gz" ;;
    Windows/X64) echo "linkloom-$version-windows-x86_64.zip" ;;
    *) ;;
  esac
}

# Copies the release file NAME into the temporary folder; false when the release lacks it.
fetch() {
  local name="$1" ref="$2"
  if [ -n "${LINKLOOM_RELEASES:-}" ]; then
    [ -f "$LINKLOOM_RELEASES/$name" ] && cp "$LINKLOOM_RELEASES/$name" "$temp/$name"
    return
  fi
  [ -n "${GITHUB_ACTION_REPOSITORY:-}" ] || return 1
  curl -fsSL --retry 3 -o "$temp/$name" \
    "${GITHUB_SERVER_URL:-https://github.com}/$GITHUB_ACTION_REPOSITORY/releases/download/$ref/$name" 2>/dev/null
}

# Prints the path of the program unpacked from the release for the action's version; 1 when
# there is none, 2 when the download is not what was released.
from_release() {
  local ref="${GITHUB_ACTION_REF:-}"
  local version="${ref#v}"
  [ -n "$version" ] || return 1
  local asset
  asset="$(asset_for_runner "$version")"
  [ -n "$asset" ] || return 1
  fetch "$asset" "$ref" && fetch SHA256SUMS "$ref" || return 1
  # A download that is not the one released is never run, nor passed over for a build.
  (cd "$temp" && grep " $asset\$" SHA256SUMS | sha256sum --check --status) || { say "checksum mismatch: $asset"; return 2; }
  local unpacked="$temp/release"
  rm -rf "$unpacked" && mkdir -p "$unpacked"
  case "$asset" in
    *.zip) unzip -q "$temp/$asset" -d "$unpacked" && find "$unpacked" -name linkloom-cli.exe | head -n 1 ;;
    *) tar -xzf "$temp/$asset" -C "$unpacked" && find "$unpacked" -name linkloom-cli -type f | head -n 1 ;;
  esac
}

# Prints the path of the program built from the action's source.
from_source() {
  local build="$temp/build"
  case "${RUNNER_OS:-}" in
    Linux) sudo apt-get install -y -qq zlib1g-dev libexpat1-dev libxxhash-dev ninja-build >&2 ;;
    macOS) brew install expat xxhash ninja >&2 ;;
  esac
  cmake -S "$action" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
  cmake --build "$build" --target linkloom-cli >&2
  find "$build" \( -name linkloom-cli -o -name linkloom-cli.exe \) -type f | head -n 1
}

program="${LINKLOOM_CLI:-}"
if [ -z "$program" ]; then
  found=0
  program="$(from_release)" || found=$?
  [ "$found" -ne 2 ] || exit 2
  if [ "$found" -eq 0 ] && [ -n "$program" ]; then
    say "using the release program for ${RUNNER_OS:-this runner}"
  else
    say "no release program for ${RUNNER_OS:-this runner} at ${GITHUB_ACTION_REF:-this ref}; building from source"
    program="$(from_source)"
  fi
fi
[ -n "$program" ] || { say "no linkloom-cli to run"; exit 2; }

: "${LINKLOOM_FOLDER:?the folder input is required}"
: "${LINKLOOM_URL:?the url input is required}"
arguments=(--quiet --report github)
[ -z "${LINKLOOM_CONFIG:-}" ] || arguments+=(--config "$LINKLOOM_CONFIG")
if [ -n "${LINKLOOM_CHECK:-}" ]; then
  arguments+=(--check "$LINKLOOM_CHECK")
elif [ -n "${LINKLOOM_OUTPUT:-}" ]; then
  arguments+=(--output "$LINKLOOM_OUTPUT")
fi
[ -z "${LINKLOOM_REPORT:-}" ] || arguments+=(--report "json:$LINKLOOM_REPORT")
for valued in ext:EXTENSIONS lastmod:LASTMOD state:STATE sitemap-url:SITEMAP_URL max-urls:MAX_URLS \
              index-names:INDEX_NAMES drop-extensions:DROP_EXTENSIONS jobs:JOBS; do
  value="LINKLOOM_${valued#*:}"
  [ -z "${!value:-}" ] || arguments+=("--${valued%%:*}" "${!value}")
done
for switch in no-subfolders:NO_SUBFOLDERS include-noindex:INCLUDE_NOINDEX gzip:GZIP explain:EXPLAIN \
              folder-urls:FOLDER_URLS canonical:CANONICAL robots-txt:ROBOTS_TXT robots-meta:ROBOTS_META \
              alternates:ALTERNATES lastmod-time:LASTMOD_TIME; do
  value="LINKLOOM_${switch#*:}"
  [ "${!value:-false}" != true ] || arguments+=("--${switch%%:*}")
done
# One pattern per line; blank lines are passed over.
while IFS= read -r pattern; do
  [ -z "$pattern" ] || arguments+=(--exclude "$pattern")
done <<< "${LINKLOOM_EXCLUDE:-}"
# Further options, one per line, each taken as one argument.
while IFS= read -r argument; do
  [ -z "$argument" ] || arguments+=("$argument")
done <<< "${LINKLOOM_ARGS:-}"

exec "$program" "${arguments[@]}" -- "$LINKLOOM_FOLDER" "$LINKLOOM_URL"
