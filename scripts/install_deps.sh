#!/usr/bin/env bash
# Installs the Debian packages the build, the example run and the tests need, when
# they are missing. Usage: scripts/install_deps.sh [build|test]
set -euo pipefail
want=${1:-test}
packages=(cmake g++ make libhdf5-dev qt6-base-dev python3)
if [ "$want" = test ]; then
  packages+=(libgtest-dev hdf5-tools python3-h5py python3-mne clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
