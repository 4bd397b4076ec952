#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's prefix.
# QLN_BUILD_DIR (or the prefix location written by setup.sh) tells which prefix.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${WINEPREFIX:=${QLN_WINEPREFIX:-$here/../build/wineprefix}}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
