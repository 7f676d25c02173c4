#!/usr/bin/env bash
# Runs .ci/run as CI does on a fresh Debian 12 machine with only git added: in a root made
# with debootstrap from this machine's own Debian mirror, on a clone of this repository.
# Needs root (debootstrap, chroot, mount). Usage: scripts/ci-clean-root.sh [work dir]
set -euo pipefail
cd "$(dirname "$0")/.."
WORK=$(realpath -m "${1:-build/clean-root}")
ROOT=$WORK/root
command -v debootstrap >/dev/null || scripts/setup.sh test
source scripts/debian-root.sh
debian_root --fresh "$ROOT" --include=git
git clone -q "$PWD" "$ROOT/root/tamsverolind"
start=$(date +%s)
in_root bash -c 'cd /root/tamsverolind && bash .ci/run' >"$WORK/ci.log" 2>&1 || { tail -40 "$WORK/ci.log"; exit 1; }
echo "PASS: .ci/run in a fresh Debian 12 root with only git added, $(( $(date +%s) - start )) s (log: $WORK/ci.log)"
