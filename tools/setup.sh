#!/usr/bin/env bash
# Installs what building, running and testing yanzhou needs on Debian 12.
# Does nothing when everything is already present.
set -euo pipefail

packages=(
  cmake g++ make python3 googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine64 fonts-wine
  xvfb xauth x11-apps imagemagick
  locales fonts-wqy-microhei
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libgnutls30
  openssl coreutils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine reads the ANSI code page from the locale: zh_CN.UTF-8 gives code page 936,
# en_US.UTF-8 (used by one test) gives 1252.
want_locales=(zh_CN.UTF-8 en_US.UTF-8)
need_gen=0
for l in "${want_locales[@]}"; do
  norm=$(echo "$l" | sed 's/UTF-8/utf8/')
  locale -a 2>/dev/null | grep -qx "$norm" || need_gen=1
done
if [ $need_gen -eq 1 ]; then
  for l in "${want_locales[@]}"; do
    "${sudo_cmd[@]}" sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
