#!/usr/bin/env bash
# Builds the library and the sample text object, registers the sample under Wine and shows it
# at work through the demo host: its lines, a drawing as EMF and PNG, its lines resolved with
# sample data, printed on the prefix's PostScript printer as PDF, and its property set saved as a
# readable bag; then a report page holding sample objects, resolved, pictured and printed as a PDF.
# Results go to demo-out/.
#   ./demo.sh            (QLN_DEMO_BUILD=dir picks the build tree; default build-demo)
#   ./demo.sh --shots    instead photographs each page of a new object's property sheet into
#                        docs/pictures/, the README's pictures, with the first printed page
# The tree is configured without the tests: the demo needs none of them.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${QLN_DEMO_BUILD:-$top/build-demo}
mkdir -p "$build"
build=$(cd "$build" && pwd)
bash "$top/cmake/setup.sh" "$build"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLN_BUILD_TESTS=OFF \
      -DQLN_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" --target textobj reportpage QLNSampleText

source "$top/cmake/wine-session.sh" "$build"

bin=$build/bin
wine regsvr32 /s "$(winepath -w "$bin/QLNSampleText.dll")"
if [ "${1:-}" = --shots ]; then
  mkdir -p "$top/docs/pictures"
  wine "$bin/textobj.exe" --shot "$(winepath -w "$top/docs/pictures")" --lines >/dev/null
  # The first page of the printed PDF, as a PDF viewer shows it.
  wine "$bin/textobj.exe" --resolve "$(winepath -w "$top/sample/textobj/sample-data.txt")" \
       --pdf "$(winepath -w "$build/sample.pdf")" >/dev/null
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$build/sample.pdf" "$top/docs/pictures/printed-page"
  ls -l "$top/docs/pictures"
  exit 0
fi
out=$top/demo-out
mkdir -p "$out"
cd "$top"

echo "== The lines of a new sample text object"
wine "$bin/textobj.exe" --lines
echo
echo "== Drawn at 600x800 into demo-out/sample.emf and demo-out/sample.png"
wine "$bin/textobj.exe" --draw demo-out/sample.emf --png demo-out/sample.png --size 600x800 --zoom 1
echo
echo "== Resolved with sample/textobj/sample-data.txt"
wine "$bin/textobj.exe" --resolve sample/textobj/sample-data.txt
echo
echo "== Printed, resolved, on the default printer's paper as demo-out/sample.pdf"
wine "$bin/textobj.exe" --resolve sample/textobj/sample-data.txt --pdf demo-out/sample.pdf >/dev/null
pdfinfo "$out/sample.pdf" | grep -E '^(Pages|Page size):'
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$out/sample.pdf" "$out/sample-page-1"
echo
echo "== Two columns, saved as demo-out/sample.bag"
wine "$bin/textobj.exe" --set NumColumns=1 --save demo-out/sample.bag \
     --draw demo-out/two-columns.emf --png demo-out/two-columns.png --size 800x400
sed -n '1,12p' "$out/sample.bag"
echo "..."
echo
echo "== A report page of one object of each kind, resolved, as demo-out/page.qrp, page.png and page.pdf"
# One object of every registered report-object class: the sibling objects join the text object
# wherever they are registered.
wine "$bin/reportpage.exe" --insert-all --save demo-out/page.qrp
wine "$bin/reportpage.exe" demo-out/page.qrp --resolve sample/textobj/sample-data.txt --list --png demo-out/page.png
if ! wine "$bin/reportpage.exe" demo-out/page.qrp --resolve sample/textobj/sample-data.txt --pdf demo-out/page.pdf; then
  echo "(no PDF: the prefix has no printer)"
fi
