#!/usr/bin/env bash
# Runs .ci/run as CI does on a fresh Debian 12 machine with only git added: in a root made
# with debootstrap from this machine's own Debian mirror, on a clone of this repository.
# Needs root (debootstrap, chroot, mount). Usage: scripts/ci-clean-root.sh [work dir]
set -euo pipefail
cd "$(dirname "$0")/.."
WORK=$(realpath -m "${1:-build/clean-root}")
ROOT=$WORK/root
command -v debootstrap >/dev/null || scripts/setup.sh test
mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' | grep -v security | head -1)
cleanup() { for mount in dev/pts dev sys proc; do umount -l "$ROOT/$mount" 2>/dev/null || true; done; }
trap cleanup EXIT
rm -rf "$ROOT"
mkdir -p "$WORK"
debootstrap --variant=minbase --include=git bookworm "$ROOT" "$mirror" >"$WORK/debootstrap.log"
mount -t proc proc "$ROOT/proc"
mount -t sysfs sys "$ROOT/sys"
mount --bind /dev "$ROOT/dev"
mount --bind /dev/pts "$ROOT/dev/pts"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
git clone -q "$PWD" "$ROOT/root/tamsverolind"
start=$(date +%s)
chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  bash -c 'cd /root/tamsverolind && bash .ci/run' >"$WORK/ci.log" 2>&1 || { tail -40 "$WORK/ci.log"; exit 1; }
echo "PASS: .ci/run in a fresh Debian 12 root with only git added, $(( $(date +%s) - start )) s (log: $WORK/ci.log)"
