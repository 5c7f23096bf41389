#!/usr/bin/env bash
# Fails when a file of the editor's layers includes a windowing or font library header, or
# anything of the platform's backends: those layers draw and listen only through platform/.
set -u
top=${1:-$(dirname "$0")/..}
cd "$top" || exit 2
bad=$(grep -rnE '#\s*include\s*[<"](SDL|SDL2/|ft2build|freetype/|fontconfig/|platform/backend/)' \
  src/buffer src/view src/edit src/syntax src/navigation src/project src/tools 2>/dev/null)
if [ -n "$bad" ]; then
  echo "These files reach past the platform layer:"
  echo "$bad"
  exit 1
fi
echo "layering: ok"
