#!/bin/sh
# Runs chmcmd on QLNReports.hhp in the given folder as if that folder were the root of the file
# system. chmcmd writes a topic's context entry as the absolute host path of the project folder
# joined with the topic's name ("/home/.../font_dialog.htm"), while the topic itself is stored
# as "/font_dialog.htm": a help viewer asked for a context would then find no page. With the
# project at the root both are "/font_dialog.htm". The root is a private one (user and mount
# namespaces, no privileges needed); where those are not allowed, chmcmd runs as it is and the
# build says that the help file's contexts are not usable.
#   chmcmd-at-root.sh <folder>      (writes <folder>/QLNReports.chm)
set -eu
work=$(cd "$1" && pwd)
chmcmd=$(command -v chmcmd)
if unshare -r -m true 2>/dev/null; then
  unshare -r -m sh -eu -c '
    work=$1 chmcmd=$2
    for d in usr bin lib lib64 etc proc; do mkdir -p "$work/$d"; done
    for d in usr bin lib lib64 etc; do [ -e "/$d" ] && mount --rbind "/$d" "$work/$d"; done
    chroot "$work" /bin/sh -c "cd / && exec $chmcmd /QLNReports.hhp"
  ' sh "$work" "$chmcmd"
else
  echo "chmcmd-at-root.sh: no private root here; the help file's contexts name host paths" >&2
  cd "$work" && "$chmcmd" QLNReports.hhp
fi
