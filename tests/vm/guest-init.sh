#!/bin/busybox sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The guest's /init: loads the parallel-port and I2C drivers, runs each check
# against the kernel's real drivers and prints it on the serial console as
#   === CHECK name: what it shows
#   (the commands, their output and exit codes, the kernel's messages)
#   === RESULT name PASS            or  === RESULT name FAIL: why
# for vm-check.sh on the host, then powers the machine off.
/bin/busybox --install -s /bin
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
echo "tarnel-vm: started"
dmesg -n 1

# load MODULE [PARAMETER...]
load() {
    module=$1
    shift
    insmod "/modules/$module.ko" "$@"
}

# The drivers a PC with a parallel port and an SMBus has loaded, in the order
# the host worked out from their dependencies; lp and i2c-parport take the
# port, so only their checks load them.
while read -r module; do
    case "$module" in
        lp | i2c-parport) ;;
        *) insmod "/modules/$module.ko" ;;
    esac
done < /modules/order

# Gives /dev/parport0 to group lp, as udev does on Debian.
share_parport() {
    chgrp lp /dev/parport0 && chmod 660 /dev/parport0
}
share_parport

# The number N of the I2C adapter /dev/i2c-N whose name starts with $1.
adapter() {
    for name in /sys/bus/i2c/devices/i2c-*/name; do
        case "$(cat "$name")" in
            "$1"*) basename "$(dirname "$name")" | sed 's/i2c-//'; return ;;
        esac
    done
}

# One register of the port at 0x378, by offset, as two hex digits.
register() {
    dd if=/dev/port bs=1 skip=$((0x378 + $1)) count=1 2> /dev/null | hexdump -e '1/1 "%02x"'
}

check=""
failures=""
begin() {
    check=$1
    failures=""
    dmesg -c > /dev/null
    echo "=== CHECK $1: $2"
    echo "(at $(cut -d ' ' -f 1 /proc/uptime) s since boot)"
}
fail() {
    failures="$failures${failures:+; }$1"
}
# run EXIT COMMAND...: runs COMMAND, shows it, its output and exit code; fails
# the check when the exit code is not EXIT. Its output stays in /tmp/out.
run() {
    expected=$1
    shift
    echo "\$ $*"
    "$@" > /tmp/out 2>&1
    code=$?
    cat /tmp/out
    echo "(exit $code)"
    [ "$code" = "$expected" ] || fail "\"$*\" exited $code, not $expected"
}
# as USER EXIT COMMAND...: run as USER.
as() {
    user=$1
    expected=$2
    shift 2
    run "$expected" su "$user" -s /bin/sh -c "$*"
}
expect() {
    grep -qF -- "$1" /tmp/out || fail "no \"$1\" in the output"
}
expect_not() {
    if grep -qF -- "$1" /tmp/out; then fail "\"$1\" in the output"; fi
}
end() {
    dmesg -c | sed 's/^/kernel: /'
    if [ -z "$failures" ]; then
        echo "=== RESULT $check PASS"
    else
        echo "=== RESULT $check FAIL: $failures"
    fi
}

smbus=$(adapter "SMBus I801")
parport_i2c=""

begin list-ports "list-ports names /dev/parport0 and the SMBus adapter"
run 0 tarnel-cli list-ports
expect "/dev/parport0"
expect "i2c:/dev/i2c-$smbus"
expect "SMBus I801"
expect "not usable"
end

begin ppdev-absent-switch "the ppdev port reaches the bus, finds no EEPROM and leaves the port idle"
run 3 time tarnel-cli --port /dev/parport0 dump
expect "did not acknowledge"
expect "0xA0"
data=$(register 0)
control=$(register 2)
echo "data register $data, control register $control"
[ "$data" = 80 ] || fail "data register $data, not 80"
[ $((0x$control & 0x0f)) = 4 ] || fail "control register $control, not 04 in its four line bits"
end

begin ppdev-user-without-group "a user outside group lp gets the group hint"
as tech 3 tarnel-cli --port /dev/parport0 dump
expect "Permission denied"
expect "usermod -aG lp"
end

begin ppdev-user-in-group "a member of group lp reaches the port"
as techlp 3 tarnel-cli --port /dev/parport0 dump
expect "did not acknowledge"
end

begin io-root "io:0x378 works through ioperm as root"
run 3 tarnel-cli --port io:0x378 dump
expect "did not acknowledge"
expect "0xA0"
end

begin io-user "io:0x378 as a user names the privilege it needs"
as tech 3 tarnel-cli --port io:0x378 dump
expect "Operation not permitted"
expect "CAP_SYS_RAWIO"
end

begin io-no-port "io:0x278, where no port is, says that no parallel port answers there"
run 3 tarnel-cli --port io:0x278 dump
expect "No parallel port answers at 0x278"
expect_not "did not acknowledge"
end

begin io-bad-base "bases that are no parallel port's are usage errors"
run 2 tarnel-cli --port io:0x10000 dump
run 2 tarnel-cli --port io:0x70 dump
expect "0x70"
run 2 tarnel-cli --port io:0xZZ dump
end

# smbus_refused COMMAND...: the SMBus adapter is refused for COMMAND, with
# the reason, before any transfer.
smbus_refused() {
    [ -n "$smbus" ] || fail "no SMBus I801 adapter"
    head -c 128 /dev/zero > /tmp/image.bin
    run 3 tarnel-cli --port "i2c:$smbus" "$@"
    expect "SMBus"
    expect "SPD"
}

begin smbus-dump "dump on the computer's own SMBus is refused"
smbus_refused dump
end

begin smbus-read "read on the computer's own SMBus is refused"
smbus_refused read /tmp/read.bin
end

begin smbus-write "write on the computer's own SMBus is refused"
smbus_refused write /tmp/image.bin
end

begin ppdev-lp "a port held by the lp printer driver names lp"
load lp
run 3 tarnel-cli --port /dev/parport0 dump
expect "lp printer driver"
expect "modprobe -r lp"
ls /proc/sys/dev/parport/parport0/devices
rmmod lp
end

begin ppdev-i2c-parport "a port held by i2c-parport names it"
load i2c-parport type=0
parport_i2c=$(adapter "Parallel port adapter")
run 3 tarnel-cli --port /dev/parport0 dump
expect "i2c-parport"
expect_not "modprobe -r lp"
ls /proc/sys/dev/parport/parport0/devices
end

begin i2c-parport-absent-switch "i2c-parport type=0 is an I2C adapter with combined transfers that finds no EEPROM"
[ -n "$parport_i2c" ] || fail "no i2c-parport adapter"
run 3 tarnel-cli --port "i2c:$parport_i2c" dump
expect "did not acknowledge"
expect "0x50"
end

begin i2c-parport-driver-bound "a kernel driver bound at 0x50 is named with the unbind command"
echo dummy 0x50 > "/sys/bus/i2c/devices/i2c-$parport_i2c/new_device"
run 3 tarnel-cli --port "i2c:$parport_i2c" dump
expect "dummy"
expect "/sys/bus/i2c/drivers/dummy/unbind"
echo 0x50 > "/sys/bus/i2c/devices/i2c-$parport_i2c/delete_device"
rmmod i2c-parport
end

begin ppdev-no-port "ppdev without parport_pc says that no port is behind the node"
rmmod parport_pc
# A static /dev keeps the node that devtmpfs took away with the port.
[ -e /dev/parport0 ] || mknod /dev/parport0 c 99 0
run 3 tarnel-cli --port /dev/parport0 dump
expect "No parallel port is behind /dev/parport0"
expect "modprobe parport_pc"
expect_not "modprobe -r lp"
rm -f /dev/parport0
load parport_pc
end

begin no-ppdev "a port without ppdev says to load ppdev, with or without the device node"
rmmod ppdev
run 3 tarnel-cli --port /dev/parport0 dump
expect "No such file or directory"
expect "sudo modprobe ppdev"
mknod /dev/parport0 c 99 0
run 3 tarnel-cli --port /dev/parport0 dump
expect "No such device or address"
expect "sudo modprobe ppdev"
end

echo "tarnel-vm: finished"
poweroff -f
