#!/bin/sh
# mntCD.sh PLATFORM: run by the Mount CD-ROM form in a terminal window of its
# own, in which a real installation becomes root and mounts the CD-ROM drive.
# The demo's drive is simulated: the discs lie in $Proot/media, and mounting
# one makes $Proot/cdrom show it.  The disc wanted is named in
# $Proot/install/tmp/cdrom.want.
: "${Proot:?Proot is not set}"
want=$(cat "$Proot/install/tmp/cdrom.want" 2>/dev/null)
echo "Mount the CD-ROM ${want:-(none asked for)} for platform ${1:-?}."
echo
echo "On a real system you would now become root and type, for example:"
echo "    su root -c 'mount -F hsfs -o ro /dev/dsk/c0t6d0s2 /cdrom'"
echo
if [ -n "$want" ] && [ -d "$Proot/media/$want" ]; then
    rm -f "$Proot/cdrom"
    ln -s "media/$want" "$Proot/cdrom"
    echo "The demo has mounted $want on $Proot/cdrom."
else
    echo "The demo has no disc named '${want}' in its drive."
fi
echo
printf 'Press Return to close this window and go back to the installer. '
read -r _
