#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, and the UTF-8 locales
# that Wine takes its interface language from. Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
    cmake ninja-build git
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64
    xvfb xauth imagemagick xdotool fonts-wqy-microhei
    libstb-dev libz-mingw-w64-dev nlohmann-json3-dev googletest
    clang-format locales
    python3
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_if_needed apt-get update -q
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine reads its interface language from LANG; the tests and the demo use these two.
wanted_locales=(en_US.UTF-8 zh_CN.UTF-8)
regenerate=no
for locale in "${wanted_locales[@]}"; do
    normalized=$(echo "$locale" | sed 's/UTF-8/utf8/')
    if ! locale -a 2>/dev/null | grep -qx "$normalized"; then
        sudo_if_needed sed -i "s/^# *\(${locale} UTF-8\)/\1/" /etc/locale.gen
        grep -q "^${locale} UTF-8" /etc/locale.gen ||
            echo "${locale} UTF-8" | sudo_if_needed tee -a /etc/locale.gen >/dev/null
        regenerate=yes
    fi
done
if [ "$regenerate" = yes ]; then
    sudo_if_needed locale-gen
fi
