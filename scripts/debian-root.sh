# Sourced by the scripts that need a clean Debian 12 root: made with debootstrap from the
# Debian mirror of this machine's own apt sources, with /proc, /sys and /dev mounted in it
# until the script exits. Needs root (debootstrap, chroot, mount).

# debian_root [--fresh] ROOT [debootstrap options]: makes ROOT, unless it already holds a
# root (or anew with --fresh), and mounts the system's folders in it; debootstrap's log goes
# beside ROOT.
debian_root() {
  local fresh=false mirror
  [ "$1" != --fresh ] || { fresh=true; shift; }
  DEBIAN_ROOT=$1
  shift
  unmount_debian_root # left mounted by a killed run, /dev must be out of rm's reach
  mirror=$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' 2>/dev/null | grep -v security | head -1)
  [ -n "$mirror" ] || { echo "no Debian mirror in this machine's apt sources" >&2; return 1; }
  if $fresh || [ ! -x "$DEBIAN_ROOT/usr/bin/apt-get" ]; then
    rm -rf "$DEBIAN_ROOT"
    mkdir -p "$(dirname "$DEBIAN_ROOT")"
    debootstrap --variant=minbase "$@" bookworm "$DEBIAN_ROOT" "$mirror" >"$DEBIAN_ROOT.debootstrap.log"
  fi
  trap unmount_debian_root EXIT
  mount -t proc proc "$DEBIAN_ROOT/proc"
  mount -t sysfs sys "$DEBIAN_ROOT/sys"
  mount --bind /dev "$DEBIAN_ROOT/dev"
  mount --bind /dev/pts "$DEBIAN_ROOT/dev/pts"
  cp /etc/resolv.conf "$DEBIAN_ROOT/etc/resolv.conf"
}
unmount_debian_root() { for mount in dev/pts dev sys proc; do umount -l "$DEBIAN_ROOT/$mount" 2>/dev/null || true; done; }
# Runs "$@" in the root, with a clean environment.
in_root() { chroot "$DEBIAN_ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
