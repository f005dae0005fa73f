# Sourced by the scripts that run Wine: finds wine64 and wineserver once and sets $wine64 and
# $wineserver. Debian keeps them in /usr/lib/wine; a wine64 on the PATH is taken otherwise.
for wine_folder in /usr/lib/wine "$(dirname "$(command -v wine64 2>/dev/null || echo /none/wine64)")"; do
    if [ -x "$wine_folder/wine64" ] && [ -x "$wine_folder/wineserver" ]; then
        wine64=$wine_folder/wine64
        wineserver=$wine_folder/wineserver
        break
    fi
done
if [ -z "${wine64:-}" ]; then
    echo "wine64 and wineserver not found: run scripts/setup.sh" >&2
    exit 1
fi
