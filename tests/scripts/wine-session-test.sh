#!/usr/bin/env bash
# The Wine session of scripts/test stops all it started, its prefix's server and Wine's services,
# while the server of another prefix runs beside it.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
. "$top/scripts/env.sh"
work="$(mktemp -d)"
own="$work/own"
other="$work/other"
mkdir -p "$own" "$other"
trap 'WINEPREFIX="$other" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# The processes whose environment names prefix $1.
of_prefix() { grep -l -a -x -z "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null || true; }

WINEPREFIX="$other" wineserver -p </dev/null >/dev/null 2>&1
(
  export WINEPREFIX="$own"
  . "$top/scripts/wine-session.sh"
  wine_session_start
)
for _ in $(seq 50); do [ -z "$(of_prefix "$own")" ] && break; sleep 0.1; done
left="$(of_prefix "$own")"
if [ -n "$left" ]; then
  echo "left running for its prefix:" >&2
  for environ in $left; do tr '\0' ' ' <"${environ%/environ}/cmdline" >&2; echo >&2; done
  exit 1
fi
echo "the session left nothing of its prefix"
