#!/usr/bin/env bash
# Debian 12 packages needed to build, run and test Parvane.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
    cmake g++ make pkg-config \
    qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev \
    libgtest-dev libgmock-dev \
    mp3splt sox libsox-fmt-mp3 lame mpg123 \
    fonts-liberation xvfb xauth xdg-utils
