#!/bin/sh
# Runs a test command that executes i386 code, in the route the build chose for this machine.
# usage: run-i386.sh qemu QEMU PROGRAM [ARGS...]       an i386 Linux program under QEMU
#        run-i386.sh namespace QEMU COMMAND [ARGS...]  COMMAND in a user and mount namespace whose
#                                                      own binfmt_misc hands i386 programs to
#                                                      QEMU (Wine starts them itself)
#        run-i386.sh skip REASON                       no route: says why, exits 77 (skipped)
# The namespace's binfmt entry is gone with the namespace; the machine's is never touched.
mode=$1
shift
case $mode in
  qemu)
    qemu=$1
    shift
    exec "$qemu" -L / "$@"
    ;;
  namespace)
    qemu=$1
    shift
    # i386 ELF executables and shared objects (e_machine 3); F opens QEMU now, outside the
    # mount namespace's view of the disk.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    exec unshare --user --map-root-user --mount sh -c '
      mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
        printf "%s" "$0" >/proc/sys/fs/binfmt_misc/register && exec "$@"' \
      ":vantrel-i386:M::$magic:$mask:$qemu:F" "$@"
    ;;
  skip)
    echo "SKIPPED: $1"
    exit 77
    ;;
esac
echo "run-i386.sh: unknown mode $mode" >&2
exit 2
