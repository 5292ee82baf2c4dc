#!/usr/bin/env bash
# Fails on an include that runs from a lower layer into a higher one, on SDL
# names in the shared emulation's header (it knows only face handles), on an
# include between one face of the platform and another (or from the shared
# emulation into any face), on a shared emulation source built into more
# than one library (faces register their hooks; nothing is compiled per face),
# and on the page's files (scripts, HTML, the manifest) under platform/:
# they live in web/, and platform/ holds only the faces' C++.
#   check_layers.sh SOURCE_ROOT
set -euo pipefail
root=${1:?usage: check_layers.sh SOURCE_ROOT}

# What each folder may include besides itself, lowest layer first.
declare -A may=(
  [gl11]=""
  [camera]=""
  [input]=""
  [keyscript]="input"
  [platform]="input gl11"
  [shell]="platform input gl11"
  [image]="shell platform input gl11"
  [game]="camera shell platform input gl11"
  [render]="game image camera shell platform input gl11"
  [app]="render game image camera shell keyscript platform input gl11"
  [tools]="app render game image camera shell keyscript platform input gl11"
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

# Inside platform/: the faces, and the helpers some faces share. A face
# includes no other face; a helper no face; the shared emulation (the files
# directly in platform/) no face and no helper.
faces="sdl scripted web win32"
helpers="sdl_gl xlib"
for folder in $faces $helpers ""; do
  case " $faces " in
  *" $folder "*) allowed=" $folder $helpers " ;;
  *) allowed=" $folder " ;;
  esac
  if [ -z "$folder" ]; then
    files=$(cd "$root" && find platform -maxdepth 1 -name '*.[ch]*' -type f)
  elif [ -d "$root/platform/$folder" ]; then
    files=$(cd "$root" && find "platform/$folder" -type f -name '*.[ch]*')
  else
    files=""
  fi
  for file in $files; do
    while IFS=: read -r line text; do
      target=$(sed -E 's/^#include "platform\/([a-z_0-9]+)\/.*/\1/' <<<"$text")
      if [[ "$allowed" != *" $target "* ]]; then
        echo "$file:$line: platform/${folder:-.} may not include platform/$target/: $text"
        bad=1
      fi
    done < <(cd "$root" && grep -nE '^#include "platform/[a-z_0-9]+/' "$file" || true)
  done
done

# The shared emulation's sources, each in exactly one add_library() and named
# nowhere else in a build file (a list in a variable would build it again).
builds=$(cd "$root" && find . -name CMakeLists.txt -not -path './build*' \
  -not -path './node_modules/*' -not -path './.git/*')
for source in $(cd "$root/platform" && ls ./*.cpp | sed 's|^\./||'); do
  places=$(cd "$root" && for build in $builds; do
    awk -v source="$source" '
      { sub(/#.*/, "") }
      /add_library\(/ { inside = 1 }
      {
        for (i = 1; i <= NF; ++i)
          if ($i == source || $i ~ ("/" source "$") || $i ~ ("^" source "\\)$"))
            print (inside ? "library" : "other")
      }
      inside && /\)/ { inside = 0 }
    ' "$build"
  done)
  libraries=$(grep -c '^library$' <<<"$places" || true)
  others=$(grep -c '^other$' <<<"$places" || true)
  if [ "$libraries" != 1 ] || [ "$others" != 0 ]; then
    echo "platform/$source: in $libraries libraries and $others other build" \
      "lines (wanted: in one library only)"
    bad=1
  fi
done

[ "$bad" -eq 0 ] && echo "layers: every include points downwards"
exit "$bad"
