#!/bin/sh
# A throw-away school share for the tests: a Samba server on a loopback address of its own, with one
# share in a folder of its own, mounted through FUSE with smbnetfs as a teacher's PC mounts it.
#
#   tools/smbshare.sh start DIR   prints the mounted share's path (DIR/mnt/127.0.0.x/voxa) on success
#   tools/smbshare.sh stop DIR    unmounts and stops the server, whatever state they are in
#
# Everything lives in DIR: the server's configuration, its state, the test user's password
# database, the shared folder and the mount point. Nothing outside DIR is touched. The Samba user is
# the one running the script (its password in DIR only). Exits 77 when this machine cannot do it
# (no samba, no smbnetfs, no /dev/fuse, not root), so that callers can say so and skip.
set -eu
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }
addr=${VOXA_SMB_ADDR:-127.0.0.73}

stop() {
    if [ -d "$dir/mnt" ]; then
        fusermount -u -z "$dir/mnt" 2>/dev/null || fusermount3 -u -z "$dir/mnt" 2>/dev/null ||
            umount -l "$dir/mnt" 2>/dev/null || true
    fi
    for f in "$dir/run/smbnetfs.pid" "$dir/run/smbd.pid"; do
        [ -f "$f" ] && kill "$(cat "$f")" 2>/dev/null || true
    done
    pkill -f "smbd.*$dir/smb.conf" 2>/dev/null || true
    pkill -f "smbnetfs $dir/mnt" 2>/dev/null || true
    if [ -f "$dir/addr-added" ]; then
        ip addr del "$addr/32" dev lo 2>/dev/null || true
        rm -f "$dir/addr-added"
    fi
}

if [ "$cmd" = stop ]; then
    stop
    exit 0
fi
[ "$cmd" = start ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }

command -v smbd >/dev/null 2>&1 || { echo "samba is not installed" >&2; exit 77; }
command -v smbnetfs >/dev/null 2>&1 || { echo "smbnetfs is not installed" >&2; exit 77; }
[ -c /dev/fuse ] || { echo "/dev/fuse is missing: FUSE cannot be mounted here" >&2; exit 77; }
[ "$(id -u)" = 0 ] || { echo "the test server needs root to start smbd" >&2; exit 77; }

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# Samba binds only to an address an interface has: the test's own loopback address is added to lo
# for the run (and taken away again by stop).
if ! ip -4 addr show dev lo | grep -q "inet $addr/"; then
    ip addr add "$addr/32" dev lo || { echo "cannot add $addr to the loopback interface" >&2; exit 77; }
    : >"$dir/addr-added"
fi
user=$(id -un)
pass=voxa-test-$$
mkdir -p "$dir/share" "$dir/state" "$dir/cache" "$dir/private" "$dir/run" "$dir/log" "$dir/mnt" "$dir/home/.smb"
chmod 0700 "$dir/private"
cat >"$dir/smb.conf" <<EOF
[global]
    workgroup = VOXATEST
    netbios name = VOXASRV
    server role = standalone server
    interfaces = $addr
    bind interfaces only = yes
    smb ports = 445
    disable netbios = yes
    passdb backend = tdbsam:$dir/private/passdb.tdb
    private dir = $dir/private
    lock directory = $dir/state
    state directory = $dir/state
    cache directory = $dir/cache
    pid directory = $dir/run
    ncalrpc dir = $dir/run/ncalrpc
    log file = $dir/log/smbd.log
    max log size = 1000
    load printers = no
    printing = bsd
    printcap name = /dev/null
    disable spoolss = yes
    map to guest = never
    server min protocol = SMB2_02
    unix extensions = no
[voxa]
    path = $dir/share
    read only = no
    valid users = $user
    create mask = 0744
    directory mask = 0755
EOF
printf '%s\n%s\n' "$pass" "$pass" | smbpasswd -c "$dir/smb.conf" -a -s "$user" >/dev/null
smbd -D -s "$dir/smb.conf"
i=0
until [ -f "$dir/run/smbd.pid" ] && bash -c "exec 3<>/dev/tcp/$addr/445" 2>/dev/null; do
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "smbd did not start; see $dir/log/smbd.log" >&2; stop; exit 1; }
    sleep 0.1
done

# smbnetfs reads its configuration from HOME/.smb.
cat >"$dir/home/.smb/smb.conf" <<EOF
[global]
    client min protocol = SMB2_02
    workgroup = VOXATEST
    name resolve order = host
EOF
cat >"$dir/home/.smb/smbnetfs.conf" <<EOF
auth "$addr" "$user" "$pass"
smb_query_browsers false
show_hidden_hosts true
EOF
chmod 0600 "$dir/home/.smb/smbnetfs.conf"
HOME="$dir/home" smbnetfs "$dir/mnt" -o config="$dir/home/.smb/smbnetfs.conf" \
    -o log_file="$dir/log/smbnetfs.log" -o smb_query_browsers=false -o allow_other 2>"$dir/log/smbnetfs.err" ||
    HOME="$dir/home" smbnetfs "$dir/mnt" -o config="$dir/home/.smb/smbnetfs.conf" \
        -o log_file="$dir/log/smbnetfs.log" -o smb_query_browsers=false 2>>"$dir/log/smbnetfs.err" || {
        echo "smbnetfs could not mount FUSE:" >&2
        cat "$dir/log/smbnetfs.err" >&2
        stop
        exit 77
    }
pgrep -f "smbnetfs $dir/mnt" >"$dir/run/smbnetfs.pid" 2>/dev/null || true
i=0
until [ -d "$dir/mnt/$addr/voxa" ] && touch "$dir/mnt/$addr/voxa/.probe" 2>/dev/null; do
    i=$((i + 1))
    [ $i -lt 100 ] || { echo "the share did not appear under $dir/mnt/$addr/voxa" >&2; stop; exit 1; }
    sleep 0.1
done
rm -f "$dir/mnt/$addr/voxa/.probe"
echo "$dir/mnt/$addr/voxa"
