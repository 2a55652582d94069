#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc
  qt6-tools-dev libqt6uitools6 libqt6opengl6-dev libgl-dev
  libsqlite3-dev sqlite3 libpq-dev
  unixodbc unixodbc-dev tdsodbc odbc-postgresql libsqliteodbc
  libpugixml-dev libcurl4-openssl-dev libcpp-httplib-dev libssl-dev
  libzint-dev libzip-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  postgresql postgresql-contrib
  fonts-noto-cjk xvfb xauth
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
