#!/usr/bin/env bash
# Builds the Debian package `vorna` in build-package/ (cpack -G DEB) and installs it with
# apt-get, which also installs the libraries it needs. Run as root or with sudo; safe to run
# again (the package is reinstalled). Extra CMake options may follow.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DVORNA_BUILD_TESTS=OFF -DVORNA_BUILD_BENCH=OFF "$@" > build-package-configure.log \
    || { cat build-package-configure.log; exit 1; }
rm -f build-package-configure.log
cmake --build build-package --parallel "$(nproc)"
rm -f build-package/vorna_*.deb
(cd build-package && cpack -G DEB > cpack.log) || { cat build-package/cpack.log; exit 1; }
deb=$(ls build-package/vorna_*.deb)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq --reinstall "$PWD/$deb" > build-package/apt.log \
    || { cat build-package/apt.log; exit 1; }
echo "installed $deb: vorna, vornadesk; guide and manual in /usr/share/vorna/doc"
