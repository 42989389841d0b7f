#!/bin/sh
# Installs the Debian 12 packages the grade book needs to build, run and test (only what is missing).
set -e
PKGS="cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools libgl-dev fonts-ipafont-gothic qt6-translations-l10n"
# "fuzz": also clang and its fuzzer run-time, for the fuzz preset.
[ "${1:-}" = fuzz ] && PKGS="$PKGS clang libclang-rt-14-dev"
# "share": also a Samba server and its FUSE client, for the tests that run on a real school share
# (tools/smbshare.sh); without them those tests say so and are skipped.
[ "${1:-}" = share ] && PKGS="$PKGS samba smbnetfs fuse iproute2 procps util-linux"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
