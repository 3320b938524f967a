#!/usr/bin/env bash
# Debian 12 packages needed to build, run and test Parvane.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
    cmake g++ make pkg-config \
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev libmpg123-dev libtag1-dev \
    libgtest-dev libgmock-dev \
    mp3splt sox libsox-fmt-mp3 lame mpg123 ffmpeg \
    fonts-liberation xvfb xauth xdg-utils x11-utils imagemagick xdotool \
    locales coreutils \
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n \
    dpkg-dev help2man appstream desktop-file-utils file lintian \
    clang-format clang-tidy
# A locale that writes a decimal comma, for the tests that numbers never follow the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
