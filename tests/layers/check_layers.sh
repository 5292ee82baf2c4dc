#!/usr/bin/env bash
# Fails on an include that runs from a lower layer into a higher one, and on
# SDL names in the shared emulation's header (it knows only face handles),
# and on the page's files (scripts, HTML, the manifest) under platform/:
# they live in web/, and platform/ holds only the faces' C++.
#   check_layers.sh SOURCE_ROOT
set -euo pipefail
root=${1:?usage: check_layers.sh SOURCE_ROOT}

# What each folder may include besides itself, lowest layer first.
declare -A may=(
  [gl11]=""
  [camera]=""
  [keyscript]=""
  [platform]="gl11"
  [shell]="platform gl11"
  [image]="shell platform gl11"
  [game]="camera shell platform gl11"
  [render]="game image camera shell platform gl11"
  [app]="render game image camera shell keyscript platform gl11"
  [tools]="app render game image camera shell keyscript platform gl11"
)

bad=0
for folder in "${!may[@]}"; do
  allowed=" $folder ${may[$folder]} "
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^#include "([a-z_0-9]+)\/.*/\1/' <<<"$text")
    if [[ "$allowed" != *" $target "* ]]; then
      echo "$file:$line: $folder/ may not include $target/: $text"
      bad=1
    fi
  done < <(cd "$root" && grep -rnE '^#include "[a-z_0-9]+/' "$folder" || true)
done

if grep -nE 'SDL' "$root/platform/emulation.h"; then
  echo "platform/emulation.h: the shared emulation names SDL (above)"
  bad=1
fi

stray=$(cd "$root" && find platform \( -name '*.js' -o -name '*.mjs' -o \
  -name '*.html' -o -name '*.webmanifest' -o -name 'manifest.json' \) | sort)
if [ -n "$stray" ]; then
  echo "the page's files belong in web/, not platform/:" $stray
  bad=1
fi

[ "$bad" -eq 0 ] && echo "layers: every include points downwards"
exit "$bad"
