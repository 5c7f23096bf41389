#!/usr/bin/env bash
# Checks the includes of src/ against the table of which folder may include which: every
# folder is listed, the table itself has no circle, and only the backends and the drawing
# layer reach the windowing and font libraries.
set -u
top=${1:-$(dirname "$0")/..}
cd "$top/src" || exit 2

# folder: the folders its files may include (its own folder always may). The rows run from
# the bottom of the program to its top; a folder names only folders above it in the table.
table='
platform/base:
platform/fs: platform/base
platform/gfx: platform/base
platform/registry: platform/fs platform/base
platform/archive: platform/fs platform/base
platform/ui: platform/gfx platform/base
platform/controls: platform/ui platform/gfx platform/base
platform/dialogs: platform/controls platform/ui platform/gfx platform/base
platform/shell: platform/ui platform/gfx platform/fs platform/base
platform/framework: platform/dialogs platform/shell platform/registry platform/ui platform/gfx platform/fs platform/base
platform/backend/headless: platform/ui platform/gfx platform/base
platform/backend/sdl: platform/ui platform/gfx platform/base
paths: platform/fs platform/base
resources: platform/framework platform/shell platform/controls platform/ui platform/gfx platform/base
buffer: platform/fs platform/base
view: buffer resources platform/framework platform/shell platform/ui platform/gfx platform/base
syntax: view platform/base
edit: view resources platform/registry platform/dialogs platform/controls platform/ui platform/gfx platform/base
navigation: edit syntax view buffer resources platform/framework platform/dialogs platform/controls platform/ui platform/gfx platform/base
browser: paths resources platform/dialogs platform/controls platform/ui platform/gfx platform/fs platform/base
project: paths platform/archive platform/fs platform/base
project/window: project browser paths resources platform/dialogs platform/controls platform/ui platform/gfx platform/fs platform/base
tools: project paths platform/archive platform/shell platform/fs platform/base
tools/dialogs: tools resources platform/dialogs platform/controls platform/ui platform/gfx platform/base
app: project/window project tools/dialogs tools navigation edit syntax view buffer browser paths resources platform/framework platform/dialogs platform/controls platform/shell platform/registry platform/ui platform/gfx platform/fs platform/base
.: app resources platform/backend/headless platform/backend/sdl platform/framework platform/dialogs platform/ui platform/fs platform/base
'

declare -A allowed
order=()
while IFS= read -r row; do
  [ -z "$row" ] && continue
  folder=${row%%:*}
  allowed[$folder]=" ${row#*:} "
  order+=("$folder")
done <<<"$table"

status=0
fail() { echo "$1"; status=1; }

# The table must stay free of circles: a folder may name only folders listed before it.
declare -A seen
for folder in "${order[@]}"; do
  for dep in ${allowed[$folder]}; do
    [ -n "${allowed[$dep]+x}" ] || fail "table: $folder names $dep, which has no row"
    [ -n "${seen[$dep]+x}" ] || fail "table: $folder names $dep, which is not below it"
  done
  seen[$folder]=1
done

# Every folder that holds sources has a row, so a new folder is placed on purpose.
while IFS= read -r dir; do
  [ -n "${allowed[$dir]+x}" ] || fail "$dir has no row in the layering table of scripts/check-layering.sh"
done < <(find . -name '*.cpp' -o -name '*.h' | xargs -n1 dirname | sed 's#^\./##' | sort -u)

# Every include of a file of ours names a folder its own row allows.
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  inc=$(sed -E 's/.*#\s*include\s*"([^"]+)".*/\1/' <<<"${rest#*:}")
  from=$(dirname "${file#./}")
  case $inc in */*) to=$(dirname "$inc") ;; *) to=. ;; esac
  if [ "$to" = . ] && [ "$from" != . ]; then
    fail "$file:$line includes \"$inc\" without its folder"
    continue
  fi
  [ "$to" = "$from" ] && continue
  [ -n "${allowed[$from]+x}" ] || continue
  case ${allowed[$from]} in *" $to "*) ;; *) fail "$file:$line: $from may not include $inc" ;; esac
done < <(grep -rnE '^\s*#\s*include\s*"' --include='*.cpp' --include='*.h' .)

# Only the SDL backend sees SDL; only the drawing layer and the backends see the font libraries.
while IFS= read -r hit; do
  file=${hit%%:*}
  from=$(dirname "${file#./}")
  case $hit in
    *SDL*) [ "$from" = platform/backend/sdl ] || fail "$hit: only platform/backend/sdl uses SDL" ;;
    *) case $from in platform/gfx | platform/backend/*) ;; *) fail "$hit: only platform/gfx uses the font libraries" ;; esac ;;
  esac
done < <(grep -rnE '^\s*#\s*include\s*[<"](SDL|SDL2/|ft2build|freetype/|fontconfig/)' --include='*.cpp' --include='*.h' .)

[ $status = 0 ] && echo "layering: ok"
exit $status
