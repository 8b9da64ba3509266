#!/bin/busybox sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The guest's /init: loads the parallel-port, I2C and USB drivers, runs each
# check against the kernel's real drivers and prints it on the serial console
# as
#   === CHECK name: what it shows
#   (the commands, their output and exit codes, the kernel's messages, the
#   time it took)
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
# port, so only their checks load them, and the USB checks load the dummy
# controller with their own parameters.
while read -r module; do
    case "$module" in
        lp | i2c-parport | dummy_hcd) ;;
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
uptime() {
    cut -d ' ' -f 1 /proc/uptime
}
begin() {
    check=$1
    failures=""
    dmesg -c > /dev/null
    echo "=== CHECK $1: $2"
    began=$(uptime)
    echo "(at $began s since boot)"
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
    echo "(took $(echo "$(uptime) $began" | awk '{ printf "%.2f", $1 - $2 }') s)"
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

# The USB device whose vendor:product is $1, by its place on the USB tree
# ("1-1"), once the kernel has configured it; waits up to 10 s.
usb_place() {
    tries=0
    while [ $tries -lt 100 ]; do
        for device in /sys/bus/usb/devices/[0-9]*; do
            case "$device" in *:*) continue ;; esac
            if [ "$(cat "$device/idVendor"):$(cat "$device/idProduct")" = "$1" ] &&
                [ -e "$device/$(basename "$device"):1.0" ]; then
                basename "$device"
                return
            fi
        done
        sleep 0.1
        tries=$((tries + 1))
    done
}

# A CH341A board with a 24C01-class EEPROM, presented on the dummy controller
# through gadgetfs by tarnel-vm-ch341; tarnel-cli reaches it through libusb,
# usbfs and dummy_hcd. The board is full speed only, so the controller is
# loaded as a full-speed one. The EEPROM's faults are switched in
# /tmp/eeprom-mode; UNPLUG_AFTER ($1) makes the board go away after so many
# writes.
ch341_plug() {
    echo normal > /tmp/eeprom-mode
    tarnel-vm-ch341 /tmp/eeprom-mode "$@" > /tmp/ch341.log 2>&1 &
    ch341_pid=$!
    ch341=$(usb_place 1a86:5512)
    [ -n "$ch341" ] || { cat /tmp/ch341.log; fail "the CH341A did not appear on the USB"; }
}
# The image the write checks write: 128 bytes that differ from the
# EEPROM's own.
i=0
while [ $i -lt 128 ]; do
    printf "\\$(printf %03o $(((i * 37 + 11) & 255)))"
    i=$((i + 1))
done > /tmp/ch341.bin

begin ch341-list-ports "list-ports names the CH341A by its place on the USB tree"
load dummy_hcd is_high_speed=0
mkdir -p /dev/gadget
mount -t gadgetfs gadgetfs /dev/gadget
ch341_plug
run 0 tarnel-cli list-ports
expect "ch341:$ch341"
expect "CH341A USB programmer (I2C)"
end

begin ch341-probe "probe over libusb, usbfs and dummy_hcd finds the CH341A and the EEPROM"
run 0 tarnel-cli --port ch341 probe
expect "the CH341A answers over USB: ok"
expect "the I2C bus is free"
expect "EEPROM acknowledges a read of one byte at 0x50: ok"
end

begin ch341-dump "dump shows the EEPROM's 128 bytes"
run 0 tarnel-cli --port "ch341:$ch341" dump
expect "  0  00 01 02 03 04 05 06 07 08 09"
expect "120  78 79 7A 7B 7C 7D 7E 7F"
end

begin ch341-write "write goes through byte by byte with acknowledge polling, and reads back"
run 0 time tarnel-cli --port ch341 write /tmp/ch341.bin
end

begin ch341-verify "verify finds the written image"
run 0 tarnel-cli --port ch341 verify /tmp/ch341.bin
end

begin ch341-read "read gives the written image back"
run 0 tarnel-cli --port ch341 read /tmp/ch341-back.bin
cmp /tmp/ch341.bin /tmp/ch341-back.bin || fail "the image read differs from the one written"
end

begin ch341-page-write "a write in pages of 8 bytes goes through and reads back"
run 0 time tarnel-cli --port ch341 write --page-size 8 /tmp/image.bin
run 0 tarnel-cli --port ch341 verify /tmp/image.bin
end

begin ch341-write-protected "a write-protected EEPROM takes the bytes, keeps none, and the read-back says so"
echo write-protected > /tmp/eeprom-mode
run 1 tarnel-cli --port ch341 write /tmp/ch341.bin
expect "differ"
end

begin ch341-absent "an absent EEPROM does not acknowledge its address"
echo absent > /tmp/eeprom-mode
run 3 tarnel-cli --port ch341 dump
expect "did not acknowledge its address 0x50"
run 3 tarnel-cli --port ch341 probe
expect "the CH341A answers over USB: ok"
end

begin ch341-endless-cycle "an EEPROM that never ends its write cycle stops the write at register 1"
echo endless-cycle > /tmp/eeprom-mode
run 3 tarnel-cli --port ch341 write /tmp/ch341.bin
expect "failed at register 1"
expect "Only register 0 was written"
end

begin ch341-unplug "a board unplugged in the middle of a write is reported as unplugged, naming what was written"
kill $ch341_pid
wait $ch341_pid
ch341_plug 5
run 3 tarnel-cli --port ch341 write /tmp/ch341.bin
expect "unplugged"
expect "failed at register 5"
expect "Registers 0 to 4 were written"
cat /tmp/ch341.log
run 0 tarnel-cli list-ports
expect_not "ch341:"
end

# An i2c-tiny-usb bridge with the same EEPROM model, presented the same way:
# the kernel's i2c-tiny-usb driver binds to it and i2c-dev offers it, so
# tarnel-cli's transfers cross both drivers, usbcore and dummy_hcd.
begin tiny-list-ports "list-ports names the i2c-tiny-usb adapter the kernel's driver made"
echo normal > /tmp/eeprom-mode
tarnel-vm-i2c-tiny-usb /tmp/eeprom-mode > /tmp/tiny.log 2>&1 &
tiny_place=$(usb_place 0403:c631)
tiny=""
tries=0
while [ -z "$tiny" ] && [ $tries -lt 50 ]; do
    tiny=$(adapter "i2c-tiny-usb")
    [ -n "$tiny" ] || sleep 0.1
    tries=$((tries + 1))
done
[ -n "$tiny_place" ] || fail "the i2c-tiny-usb bridge did not appear on the USB"
[ -n "$tiny" ] || { cat /tmp/tiny.log; fail "the kernel made no i2c-tiny-usb adapter"; }
run 0 tarnel-cli list-ports
expect "i2c:/dev/i2c-$tiny"
expect "i2c-tiny-usb at bus"
end

begin tiny-write "write crosses i2c-dev and i2c-tiny-usb and reads back"
run 0 time tarnel-cli --port i2c:i2c-tiny-usb write /tmp/ch341.bin
end

begin tiny-verify "verify over i2c-tiny-usb finds the written image"
run 0 tarnel-cli --port "i2c:$tiny" verify /tmp/ch341.bin
end

begin tiny-read "read over i2c-tiny-usb gives the written image back"
run 0 tarnel-cli --port i2c:i2c-tiny-usb read /tmp/tiny-back.bin
cmp /tmp/ch341.bin /tmp/tiny-back.bin || fail "the image read differs from the one written"
end

begin tiny-absent "an absent EEPROM behind i2c-tiny-usb does not acknowledge its address"
echo absent > /tmp/eeprom-mode
run 3 tarnel-cli --port i2c:i2c-tiny-usb dump
expect "did not acknowledge"
end

echo "tarnel-vm: finished"
poweroff -f
