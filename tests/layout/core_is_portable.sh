#!/usr/bin/env bash
# The core must stay portable: no Qt, X11 or xcb header may be included from src/core.
set -euo pipefail
core="$1/src/core"
if hits=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]*|qt[^>"]*|xcb/[^>"]*|X11/[^>"]*)[>"]' "$core"); then
  echo "platform headers included from the core:"
  echo "$hits"
  exit 1
fi
echo "core includes no platform headers"
