#!/bin/sh
# Runs one test program with its scratch folders on a real school share: starts the throw-away
# Samba server and its FUSE mount (tools/smbshare.sh), runs the program with VOXA_SCRATCH pointing
# into the share, and stops the server and unmounts afterwards, whatever happened.
# Exits 77 (CTest: skipped) and says why when this machine cannot mount the share.
set -u
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/voxa-share.XXXXXX") || exit 1
# The server reaches the share as the test user: the folders above it must let that user through.
chmod 0755 "$dir"
cleanup() {
    sh "$here/smbshare.sh" stop "$dir"
    if ! mountpoint -q "$dir/mnt" 2>/dev/null; then
        rm -rf "$dir"
    fi
}
trap cleanup EXIT INT TERM
share=$(sh "$here/smbshare.sh" start "$dir")
rc=$?
if [ $rc -eq 77 ]; then
    echo "SKIPPED: no SMB share can be mounted on this machine (see above); the test runs on a local folder only" >&2
    exit 77
fi
[ $rc -eq 0 ] || { echo "the test share could not be started" >&2; exit 1; }
echo "on the share $share" >&2
VOXA_SCRATCH="$share" "$@"
