#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Boots Debian's kernel in QEMU with a busybox initramfs that holds the built
# tarnel-cli and the guest's USB device emulators, runs the guest checks
# (guest-init.sh) and keeps the serial console in WORK/console.log for
# vm-check.sh. The machine is a q35 PC with an ISA parallel port at 0x378 and
# the chipset's SMBus; nothing answers on either, so the checks see the kernel
# drivers' own behaviour and the absent-switch and error paths. USB devices
# are presented inside the guest on the dummy controller (dummy_hcd) through
# gadgetfs, so tarnel-cli reaches them through the kernel's USB stack.
#
# Usage: vm-boot.sh [--fetch-only] TARNEL_CLI GUEST_INIT WORK [PROGRAM...]
# Each PROGRAM goes into the guest's /bin with the libraries it needs.
# Exits 0 when the guest ran all checks, 77 (skipped) when QEMU or the kernel
# cannot be had, 1 otherwise. Downloads are kept in WORK/cache: a rerun fetches
# nothing. With --fetch-only it only fills the cache, as a step of its own
# ahead of the boot, so that a fresh build folder's download does not take
# from the boot's time; it always exits 0, and a boot that still finds no
# cache fetches, or skips, itself.
set -uo pipefail

fetch_only=0
if [ "${1:-}" = --fetch-only ]; then
    fetch_only=1
    shift
fi
cli=$1
guest_init=$2
mkdir -p "$3"
work=$(cd "$3" && pwd)
programs=("${@:4}")
cache=$work/cache
console=$work/console.log
skip_code=77
# Modules the checks need; the modules they depend on are fetched with them,
# and the order to load them in is worked out below from their own
# dependency lists.
modules=(parport parport_pc ppdev lp i2c-dev i2c-smbus i2c-i801 i2c-algo-bit i2c-parport
    dummy_hcd gadgetfs i2c-tiny-usb)
# Seconds the whole test may take (CTest stops it at 90 s; stopping QEMU
# earlier still shows the console), and that a guest under KVM has to show
# that it started.
test_limit=85
kvm_start_limit=10
# Seconds a boot needs at the least (software emulation on a loaded machine);
# a download that leaves less makes the test a skip, not a failure. The
# package list update and the download are bounded to leave it.
boot_needs=40
update_limit=20
download_limit=25
apt_options=(-q -o Acquire::Retries=0 -o Acquire::http::Timeout=10)

started=$SECONDS
rm -f "$console" "$work/skipped"

skip() {
    echo "SKIPPED: $1"
    echo "$1" > "$work/skipped"
    exit $skip_code
}

if ! command -v qemu-system-x86_64 > /dev/null; then
    skip "qemu-system-x86_64 is not installed (scripts/install-deps.sh installs qemu-system-x86)"
fi

# Downloads the kernel image linux-image-amd64 stands for and busybox-static
# into $1.
download() {
    local kernel
    kernel=$(apt-cache depends linux-image-amd64 2> /dev/null |
        awk '/Depends: linux-image-[0-9]/ { print $2; exit }')
    [ -n "$kernel" ] &&
        (cd "$1" && timeout "$download_limit" apt-get download "${apt_options[@]}" \
            "$kernel" busybox-static)
}

# Fetches Debian's kernel and busybox-static once, keeping only what the guest
# needs: the kernel image, the modules above and busybox.
fetch() {
    local debs=$work/debs unpacked=$work/unpacked
    rm -rf "$debs" "$unpacked" "$cache"
    mkdir -p "$debs" "$unpacked"
    # A missing or stale package list (one that names versions the mirror
    # no longer has) is brought up to date once.
    if ! download "$debs"; then
        [ "$(id -u)" -eq 0 ] &&
            timeout "$update_limit" apt-get update "${apt_options[@]}" > /dev/null &&
            download "$debs" || return 1
    fi
    for deb in "$debs"/*.deb; do
        dpkg-deb -x "$deb" "$unpacked" || return 1
    done
    local tree=$cache.new
    rm -rf "$tree"
    mkdir -p "$tree/modules"
    cp "$unpacked"/boot/vmlinuz-* "$tree/vmlinuz" &&
        cp "$unpacked/bin/busybox" "$tree/busybox" || return 1
    local moddir
    moddir=$(echo "$unpacked"/lib/modules/*)
    local pending=("${modules[@]}") name
    while [ ${#pending[@]} -gt 0 ]; do
        # Dependency lists spell module names with "_" where files may have "-".
        name=${pending[0]}
        pending=("${pending[@]:1}")
        local file
        file=$(find "$moddir/kernel" \( -name "$name.ko" -o -name "${name//_/-}.ko" \
            -o -name "${name//-/_}.ko" \) -print -quit)
        [ -n "$file" ] || { echo "The kernel package has no module $name"; return 1; }
        [ -f "$tree/modules/$(basename "$file")" ] && continue
        cp "$file" "$tree/modules/" || return 1
        pending+=($(tr '\0' '\n' < "$file" | sed -n 's/^depends=//p' | tr ',' ' '))
    done
    rm -rf "$debs" "$unpacked"
    mv "$tree" "$cache"
}

# Whether the cache holds all the guest needs (a kept build folder may hold
# the cache of an older module list).
cached() {
    [ -f "$cache/vmlinuz" ] && [ -f "$cache/busybox" ] || return 1
    local name
    for name in "${modules[@]}"; do
        [ -f "$cache/modules/$name.ko" ] || return 1
    done
}

if [ $fetch_only -eq 1 ]; then
    if ! cached; then
        echo "Fetching Debian's kernel and busybox-static into $cache"
        fetch || echo "Debian's kernel image or busybox-static could not be downloaded"
    fi
    echo "Fetched after $((SECONDS - started)) s"
    exit 0
fi
if ! cached; then
    echo "Fetching Debian's kernel and busybox-static into $cache"
    fetch || skip "Debian's kernel image or busybox-static could not be downloaded (apt-get download)"
fi
echo "Fetched after $((SECONDS - started)) s"
if [ $((test_limit - (SECONDS - started))) -lt "$boot_needs" ]; then
    skip "the download took $((SECONDS - started)) s, too long to boot the guest in time; the next run uses the cache"
fi

# The module file's own list of the modules it needs.
depends_of() {
    tr '\0' '\n' < "$cache/modules/$1.ko" | sed -n 's/^depends=//p' | tr ',' ' '
}

# Appends $1 to `order` after the modules it depends on.
order=()
add_module() {
    # Dependency lists spell module names with "_" where files may have "-".
    local name=${1//_/-} known
    [ -f "$cache/modules/$name.ko" ] || name=${1//-/_}
    for known in "${order[@]}"; do
        [ "$known" = "$name" ] && return
    done
    local dependency
    for dependency in $(depends_of "$name"); do
        add_module "$dependency"
    done
    order+=("$name")
}

# Copies the libraries `ldd` lists for $2 into the guest's tree $1, each at
# its own path.
copy_libraries() {
    local library
    for library in $(ldd "$2" | grep -o '/[^ ]*'); do
        mkdir -p "$1$(dirname "$library")"
        cp -L "$library" "$1$library" || return 1
    done
}

build_initramfs() {
    local root=$work/initramfs
    rm -rf "$root"
    mkdir -p "$root"/{bin,dev,etc,proc,sys,tmp,modules}
    cp "$cache/busybox" "$root/bin/busybox" && cp "$guest_init" "$root/init" || return 1
    chmod 755 "$root/init"
    local name
    for name in "${modules[@]}"; do
        add_module "$name"
    done
    for name in "${order[@]}"; do
        cp "$cache/modules/$name.ko" "$root/modules/" || return 1
    done
    printf '%s\n' "${order[@]}" > "$root/modules/order"
    local program library
    for program in "$cli" "${programs[@]}"; do
        objcopy --strip-debug "$program" "$root/bin/$(basename "$program")" || return 1
        copy_libraries "$root" "$program" || return 1
    done
    # tarnel-cli loads libusb itself when a CH341A is first opened, so ldd
    # does not name it.
    library=$(/sbin/ldconfig -p | awk '$1 == "libusb-1.0.so.0" && /x86-64/ { print $NF; exit }')
    [ -n "$library" ] || { echo "libusb-1.0.so.0 is not installed"; return 1; }
    mkdir -p "$root$(dirname "$library")"
    cp -L "$library" "$root$library" && copy_libraries "$root" "$library" || return 1
    printf 'root:x:0:0:root:/:/bin/sh\ntech:x:1000:1000:tech:/tmp:/bin/sh\n' > "$root/etc/passwd"
    printf 'root:x:0:\nlp:x:7:techlp\ntech:x:1000:\n' > "$root/etc/group"
    printf 'techlp:x:1001:1000:tech in group lp:/tmp:/bin/sh\n' >> "$root/etc/passwd"
    (cd "$root" && find . | "$cache/busybox" cpio -o -H newc 2> /dev/null) > "$work/initramfs.cpio"
}
build_initramfs || { echo "Building the initramfs failed"; exit 1; }
echo "Initramfs built after $((SECONDS - started)) s"

# Boots the guest with accelerator $1; gives up on KVM when the guest does not
# start within kvm_start_limit seconds (some hosts offer a /dev/kvm that runs
# only specially built guests).
boot() {
    local accel=$1
    local qemu_limit=$((test_limit - (SECONDS - started)))
    rm -f "$console"
    timeout -k 5 "$qemu_limit" qemu-system-x86_64 \
        -machine q35 -accel "$accel" -m 512 -smp 1 \
        -nodefaults -no-user-config -no-reboot -display none -monitor none \
        -serial "file:$console" \
        -chardev null,id=p0 -device isa-parallel,chardev=p0 \
        -kernel "$cache/vmlinuz" -initrd "$work/initramfs.cpio" \
        -append "console=ttyS0 quiet loglevel=3 panic=-1 no_timer_check mitigations=off rdinit=/init" &
    local qemu=$!
    if [ "$accel" = kvm ]; then
        local waited=0
        while ! grep -q 'tarnel-vm: started' "$console" 2> /dev/null; do
            if ! kill -0 $qemu 2> /dev/null || [ $waited -ge $((kvm_start_limit * 5)) ]; then
                kill $qemu 2> /dev/null
                wait $qemu
                return 1
            fi
            sleep 0.2
            waited=$((waited + 1))
        done
    fi
    wait $qemu
    local status=$?
    [ $status -eq 124 ] && echo "QEMU was stopped after $qemu_limit s, $test_limit s into the test"
    return 0
}

booted=0
if [ -r /dev/kvm ] && [ -w /dev/kvm ]; then
    echo "Booting under KVM"
    boot kvm && booted=1
    [ $booted -eq 1 ] || echo "The guest did not start under KVM; using software emulation"
fi
if [ $booted -eq 0 ]; then
    echo "Booting under software emulation (TCG)"
    boot tcg
fi

echo "----- guest console -----"
tr -d '\r' < "$console"
echo "----- end of guest console -----"
echo "VM test took $((SECONDS - started)) s"
grep -q 'tarnel-vm: finished' "$console" || { echo "The guest did not finish its checks"; exit 1; }
