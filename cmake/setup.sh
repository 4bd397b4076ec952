#!/usr/bin/env bash
# Idempotent set-up: the Debian packages that the build and the tests need, and a Wine prefix
# inside the build tree. Every command of the README and CI calls it first.
#   cmake/setup.sh [build-dir]     (default: build)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$top/cmake/packages.sh"
build=${1:-$top/build}
# The prefix's set-up changes directory on the way: a relative build path would point elsewhere.
mkdir -p "$build"
build=$(cd "$build" && pwd)

packages=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 fonts-wine xvfb xauth
          fonts-liberation cmake ninja-build googletest fp-utils ghostscript poppler-utils
          g++ libnetcdf-dev netcdf-bin)
qln_install_packages setup "${packages[@]}"

mkdir -p "$build"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The marker names the version of the settings below: a prefix made with older ones is updated.
if [ ! -f "$WINEPREFIX/.qln-ready-3" ]; then
  echo "setup: creating the Wine prefix in $WINEPREFIX"
  # Wine's service processes must not inherit our streams, or callers waiting for end-of-file hang.
  wine wineboot -i </dev/null >/dev/null 2>&1
  # Wine's own fonts (Tahoma, Marlett, MS Sans Serif, System, ...): this Wine does not find them
  # where the package puts them, and without them every dialog and edit control falls back to
  # whatever sans face the machine has, and caption buttons show letters instead of glyphs.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # The default font of the report objects, with metrics that match: Liberation Serif.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ \
       /d 'Liberation Serif' /f </dev/null >/dev/null 2>&1
  # Top-level windows that no window manager manages: Xvfb runs none, and Wine waits up to two
  # seconds for a manager to confirm every managed window that is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.qln-ready-3"
fi
if [ ! -f "$WINEPREFIX/.qln-ready-4" ]; then
  # A printer driven by Wine's PostScript driver, the default one, whose jobs go to a PostScript
  # file in the build tree. Wine 8 asks only a print server for printers and none runs here, so
  # the project's own tool adds it through the spooler. The set-up runs before the build tree is
  # configured, so the tool is compiled here on its own.
  echo "setup: adding the default printer to $WINEPREFIX"
  mkdir -p "$build/printer"
  x86_64-w64-mingw32-g++-posix -O1 -Wall -Wextra -Werror -municode -static \
      -o "$build/printer/qlnprinter.exe" "$top/tools/qlnprinter.cpp" -lwinspool
  wine "$build/printer/qlnprinter.exe" add "QLN PostScript" "$build/printer/printed.ps" --default </dev/null
  # Without replacements a printer gets both sans and serif text in one face.
  for face in 'Arial=Liberation Sans' 'Courier New=Liberation Mono'; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /t REG_SZ \
         /d "${face#*=}" /f </dev/null >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.qln-ready-4"
fi

# Letters of every script. The report faces (Liberation) and Wine's dialog face (Tahoma) have
# Latin, Greek and Cyrillic at most; DejaVu has Hebrew, Arabic and Armenian, Noto Devanagari and
# Thai, WenQuanYi Micro Hei the Chinese, Japanese and Korean ones in 5 MB (Noto's CJK takes 90).
# Each is chosen for glyph names that give the characters back from a PDF (FreeFont's and
# Lohit's do not). python3 normalises the text read back from PDFs in the printing checks.
qln_install_packages setup fonts-dejavu-core fonts-noto-core fonts-wqy-microhei python3
if [ ! -f "$WINEPREFIX/.qln-scripts-1" ]; then
  echo "setup: linking fonts of every script in $WINEPREFIX"
  # The dialogs' "MS Sans Serif" is a bitmap face of Latin letters alone, and Wine substitutes a
  # face only when none of the name exists: without the bitmap files the substitute (Tahoma,
  # TrueType, as dialogs are on the platform) takes its place.
  rm -f "$WINEPREFIX"/drive_c/windows/Fonts/{ms_sans_serif.ttf,sserif*.fon,ssee*.fon,ssef*.fon}
  subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  for face in 'MS Sans Serif' 'Helv'; do
    wine reg add "$subst" /v "$face" /t REG_SZ /d Tahoma /f </dev/null >/dev/null 2>&1
  done
  # Font linking: a letter a face lacks is drawn in the first linked face that has it. Entries
  # are FILE,Face; Wine finds the files where fontconfig has them.
  cjk='wqy-microhei.ttc,WenQuanYi Micro Hei'
  sans="DejaVuSans.ttf,DejaVu Sans\0NotoSansDevanagari-Regular.ttf,Noto Sans Devanagari\0NotoSansThai-Regular.ttf,Noto Sans Thai\0$cjk"
  serif="DejaVuSerif.ttf,DejaVu Serif\0DejaVuSans.ttf,DejaVu Sans\0NotoSerifDevanagari-Regular.ttf,Noto Serif Devanagari\0NotoSerifThai-Regular.ttf,Noto Serif Thai\0$cjk"
  mono="DejaVuSansMono.ttf,DejaVu Sans Mono\0$sans"
  link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for entry in "Tahoma=$sans" "Microsoft Sans Serif=$sans" "Arial=$sans" "Liberation Sans=$sans" \
               "Times New Roman=$serif" "Liberation Serif=$serif" "Courier New=$mono" "Liberation Mono=$mono"; do
    wine reg add "$link" /v "${entry%%=*}" /t REG_MULTI_SZ /d "${entry#*=}" /f </dev/null >/dev/null 2>&1
  done
  # The edit controls shape text through Uniscribe, whose fallback for a script a face lacks is
  # Wine's own setting: value names are the scripts' OpenType tags as hexadecimal numbers
  # (hebr, arab, deva, thai, grek, cyrl, armn, hani, hang, kana).
  fallback='HKCU\Software\Wine\Uniscribe\Fallback'
  for entry in 72626568='DejaVu Sans' 62617261='DejaVu Sans' 61766564='Noto Sans Devanagari' \
               69616874='Noto Sans Thai' 6b657267='DejaVu Sans' 6c727963='DejaVu Sans' 6e6d7261='DejaVu Sans' \
               696e6168='WenQuanYi Micro Hei' 676e6168='WenQuanYi Micro Hei' 616e616b='WenQuanYi Micro Hei'; do
    wine reg add "$fallback" /v "${entry%%=*}" /t REG_SZ /d "${entry#*=}" /f </dev/null >/dev/null 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.qln-scripts-1"
fi

# Liberation 2.1 as many desktops have it, for the tests of international text: Wine's text
# shaping reads some of its letters out of bounds. Only the tests load it, never the prefix.
liberation2=$build/fonts-liberation2
if ! ls "$liberation2"/*.ttf >/dev/null 2>&1; then
  echo "setup: fetching fonts-liberation2 into $liberation2"
  rm -rf "$liberation2.tmp" && mkdir -p "$liberation2.tmp"
  ( cd "$liberation2.tmp" && { apt-get download fonts-liberation2 >/dev/null 2>&1 ||
      { apt-get update -qq && apt-get download fonts-liberation2 >/dev/null; }; } &&
    dpkg-deb -x fonts-liberation2_*.deb extracted )
  mkdir -p "$liberation2"
  cp "$liberation2.tmp"/extracted/usr/share/fonts/truetype/liberation2/*.ttf "$liberation2/"
  rm -rf "$liberation2.tmp"
fi
