#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tallyvox need. Idempotent:
# does nothing (not even apt-get update) when everything is already installed.
set -euo pipefail

packages=(
    # native build and unit tests
    cmake make g++ libgtest-dev googletest
    # Windows cross build (googletest above also provides the sources built for Windows)
    mingw-w64
    # running the program and the e2e tests
    wine wine64 xvfb xauth x11-apps imagemagick fonts-wqy-zenhei
    # the installer (make dist, and the e2e test that installs it)
    nsis
    # fuzzing the portable code with libFuzzer (make fuzz, and short runs in make test)
    clang libclang-rt-14-dev
    # X client libraries Wine's display driver loads at run time; only "Recommended" by Wine,
    # so --no-install-recommends would leave them out
    libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1
    libxxf86vm1
    # used by the scripts themselves
    util-linux coreutils findutils
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "bootstrap: all ${#packages[@]} packages present"
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    sudo=(sudo)
fi
echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
