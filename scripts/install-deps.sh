#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing zorkvm need; only the
# missing ones, so a second run is quick and offline.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev                    # Qt 6 Widgets; the offscreen platform plugin comes with it
  qt6-tools-dev qt6-l10n-tools    # CMake's Qt6LinguistTools, lupdate and lrelease: the .ts/.qm files
  qt6-translations-l10n           # Qt's own Korean texts (qtbase_ko.qm): standard buttons
  libboost1.81-dev                # Beast and Asio (header-only)
  libcpp-httplib-dev nlohmann-json3-dev
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
  libturbojpeg0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-nanum                     # Korean texts
  fonts-font-awesome              # icon glyphs of the buttons
  ffmpeg python3-websockets       # independent protocol peers used by the tests
  clang libclang-rt-14-dev        # libFuzzer
  locales                         # localedef, for the decimal-comma locale the tests run under
  dpkg-dev                        # dpkg-shlibdeps: the .deb's Depends (CPack)
  desktop-file-utils appstream    # validators of the installed desktop entry and metainfo
  groff-base                      # formats the man pages, which the package test checks
  librsvg2-bin                    # rsvg-convert, for scripts/render-icons.sh
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing ${#missing[@]} packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Number formatting and parsing must not follow the process locale; the tests check that under
# a locale whose decimal separator is a comma.
if ! locale -a 2>/dev/null | grep -qx 'de_DE\.utf8'; then
  echo "Generating the locale de_DE.UTF-8"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
