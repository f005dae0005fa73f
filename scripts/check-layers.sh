#!/usr/bin/env bash
# Fails when a source file includes a header of a layer it must not depend on. Each quoted include
# "X.h" is mapped to the folder that holds X.h; header names are unique across the folders.
#   base   -> nothing else          duilib -> base          engine -> base
#   app    -> base, engine, res     ui     -> base, duilib, engine, app, res
#   start-up (app/main.cpp, app/CUninstallApp.*) -> everything; tests -> everything
# Usage: check-layers.sh [ROOT]   (default: the repository holding this script)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

startup_files=(app/main.cpp app/CUninstallApp.cpp app/CUninstallApp.h)

layer_of_file() {
    local file=$1
    for startup in "${startup_files[@]}"; do
        [ "$file" = "$startup" ] && { echo startup; return; }
    done
    echo "${file%%/*}"
}

allowed_layers() {
    case $1 in
        base) echo "base" ;;
        duilib) echo "base duilib" ;;
        engine) echo "base engine" ;;
        app) echo "base engine app res" ;;
        ui) echo "base duilib engine app ui res" ;;
        startup) echo "base duilib engine app ui res startup" ;;
        *) echo "*" ;;
    esac
}

# Header name -> layer that holds it.
declare -A header_layer
for folder in base duilib engine app ui res; do
    [ -d "$folder" ] || continue
    while IFS= read -r header; do
        name=$(basename "$header")
        if [ -n "${header_layer[$name]:-}" ]; then
            echo "check-layers: $name exists in more than one folder" >&2
            exit 1
        fi
        header_layer[$name]=$(layer_of_file "$header")
    done < <(find "$folder" -name '*.h' | sort)
done

failures=0
for folder in base duilib engine app ui; do
    [ -d "$folder" ] || continue
    while IFS= read -r file; do
        layer=$(layer_of_file "$file")
        allowed=" $(allowed_layers "$layer") "
        while IFS= read -r line; do
            name=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$line")
            target=${header_layer[$(basename "$name")]:-}
            [ -z "$target" ] && continue
            if [[ "$allowed" != *" $target "* ]]; then
                echo "$file: includes \"$name\" of $target, which $layer must not use" >&2
                failures=$((failures + 1))
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
    done < <(find "$folder" \( -name '*.h' -o -name '*.cpp' \) | sort)
done

if [ "$failures" -gt 0 ]; then
    echo "check-layers: $failures include(s) cross a layer the wrong way" >&2
    exit 1
fi
echo "check-layers: every include follows the layers"
