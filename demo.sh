#!/usr/bin/env bash
# Builds the library and the four sample report objects (a text object, a peak table, an
# annotation and a chromatogram), registers them under Wine and shows them at work through the
# demo host: the text object's lines, drawings as EMF and PNG, the text object, the peak table and
# the chromatogram resolved with sample data, the text object printed on the prefix's PostScript
# printer as PDF, and a property set saved as a readable bag; then a report page holding one of
# each, resolved, pictured and printed as a PDF, and printed once per result of three injections
# (made with ncgen) into one PDF.
# Results go to demo-out/.
#   ./demo.sh            (QLN_DEMO_BUILD=dir picks the build tree; default build-demo)
#   ./demo.sh --shots    instead photographs each page of each new object's property sheet, draws
#                        the peak table and the annotation, pictures the first printed page and the
#                        report page host's window holding all three with its PDF, the second
#                        page of a peak table continued over pages and a report of a chromatogram
#                        above its peak table, into docs/pictures/, the README's pictures
# The tree is configured without the tests: the demo needs none of them.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${QLN_DEMO_BUILD:-$top/build-demo}
mkdir -p "$build"
build=$(cd "$build" && pwd)
bash "$top/cmake/setup.sh" "$build"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQLN_BUILD_TESTS=OFF \
      -DQLN_BUILD_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" --target textobj reportpage QLNSampleText QLNSamplePeakTable QLNSampleAnnotation \
      QLNSampleChromatogram

source "$top/cmake/wine-session.sh" "$build"

bin=$build/bin
for server in QLNSampleText QLNSamplePeakTable QLNSampleAnnotation QLNSampleChromatogram; do
  wine regsvr32 /s "$(winepath -w "$bin/$server.dll")"
done
data=$(winepath -w "$top/hosts/textobj/sample-data.txt")
# Times in two decimals, as the data system tells the report objects it creates.
rt="--rt-precision 2"
note="Text=Reviewed by QA
batch 12, second injection"
# signal_result PATH PEAKS: PATH.cdf, a result made with ncgen of a ten-minute run sampled five
# times a second, PEAKS named Gaussian peaks over a noisy baseline.
signal_result() {
  awk -v name="$(basename "$1")" -v peaks="$2" 'BEGIN {
    split("Theobromine Paraxanthine Theophylline Caffeine Hypoxanthine Xanthine", names, " ")
    srand(11); n = 3000
    printf "netcdf %s {\ndimensions:\n  _32_byte_string = 32 ; peak_number = %d ; point_number = %d ;\n", name, peaks, n
    printf "variables:\n  char peak_name(peak_number, _32_byte_string) ;\n"
    printf "  float peak_retention_time(peak_number), peak_start_time(peak_number), peak_end_time(peak_number),\n"
    printf "        peak_area(peak_number), peak_height(peak_number), peak_amount(peak_number) ;\n"
    printf "  float ordinate_values(point_number), actual_sampling_interval, actual_run_time_length ;\n"
    printf "  :sample_name = \"Caffeine injection\" ; :retention_unit = \"Seconds\" ; :detector_unit = \"mAU\" ;\n"
    printf "  :injection_date_time_stamp = \"20261114093012+0100\" ; :sample_id = \"CAF-007\" ;\n"
    printf "  :sample_type = \"Sample\" ; :sample_injection_volume = 5.f ; :operator_name = \"M. Lindqvist\" ;\n"
    printf "  :detector_name = \"UV 254\" ;\ndata:\n"
    for (p = 1; p <= peaks; p++) {
      rt[p] = 600 * p / (peaks + 1); h[p] = 20 + 60 * rand()
      nm[p] = p <= 6 && peaks <= 6 ? names[p] : sprintf("Peak %d", p)
    }
    w = 150 / (peaks + 1) / 4
    list("peak_name", 1); list("peak_retention_time", 2); list("peak_start_time", 3); list("peak_end_time", 4)
    list("peak_area", 5); list("peak_height", 6); list("peak_amount", 7)
    printf "  actual_sampling_interval = 0.2 ; actual_run_time_length = 600 ;\n  ordinate_values = "
    for (i = 0; i < n; i++) {
      t = i * 0.2; v = 1 + rand() * 0.6
      for (p = 1; p <= peaks; p++) v += h[p] * exp(-(t - rt[p]) ^ 2 / (2 * w * w))
      printf "%s%.3f", (i ? ", " : ""), v
    }
    printf " ;\n}\n"
  }
  function list(var, what,   p) {
    printf "  %s = ", var
    for (p = 1; p <= peaks; p++) {
      if (what == 1) x = "\"" nm[p] "\""
      else if (what == 2) x = rt[p]
      else if (what == 3) x = rt[p] - 3 * w
      else if (what == 4) x = rt[p] + 3 * w
      else if (what == 5) x = sprintf("%.1f", h[p] * w * 2.5)
      else if (what == 6) x = sprintf("%.2f", h[p])
      else x = sprintf("%.3f", h[p] / 80)
      printf "%s%s", (p > 1 ? ", " : ""), x
    }
    printf " ;\n"
  }' >"$1.cdl"
  ncgen -k nc3 -o "$1.cdf" "$1.cdl"
}
if [ "${1:-}" = --shots ]; then
  pictures=$top/docs/pictures
  mkdir -p "$pictures/peaktable" "$pictures/annotation"
  wine "$bin/textobj.exe" --shot "$(winepath -w "$pictures")" --lines >/dev/null
  wine "$bin/textobj.exe" --progid QLNSample.PeakTable $rt --shot "$(winepath -w "$pictures/peaktable")" \
       --resolve "$data" --png "$(winepath -w "$pictures/peaktable/drawing.png")" --size 420x160 >/dev/null
  wine "$bin/textobj.exe" --progid QLNSample.Annotation --set "$note" --set Frame=1 \
       --shot "$(winepath -w "$pictures/annotation")" \
       --png "$(winepath -w "$pictures/annotation/drawing.png")" --size 300x90
  # The first page of the printed PDF, as a PDF viewer shows it.
  wine "$bin/textobj.exe" $rt --resolve "$data" --pdf "$(winepath -w "$build/sample.pdf")" >/dev/null
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$build/sample.pdf" "$pictures/printed-page"
  # The host's window holding the three objects, resolved, the text object active in place with
  # its column borders, as it is on screen; and the first page of the page's PDF.
  page=$(winepath -w "$build/page.qrp")
  wine "$bin/reportpage.exe" $rt --insert QLNSample.TextCtrl --insert QLNSample.PeakTable \
       --insert QLNSample.Annotation --save "$page"
  wine "$bin/reportpage.exe" "$page" --resolve "$data" --zoom 100 --activate 1 \
       --shot "$(winepath -w "$pictures/report-page-window.png")"
  wine "$bin/reportpage.exe" "$page" --resolve "$data" --pdf "$(winepath -w "$build/page.pdf")"
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$build/page.pdf" "$pictures/report-page-pdf"
  # A result of sixty peaks: its table goes on over a second page, which shows the headings again.
  signal_result "$build/sixty" 60
  wine "$bin/reportpage.exe" $rt --insert QLNSample.TextCtrl --insert QLNSample.PeakTable --save "$page"
  wine "$bin/reportpage.exe" "$page" --resolve "$(winepath -w "$build/sixty.cdf")" --pdf "$(winepath -w "$build/sixty.pdf")"
  pdftoppm -png -r 60 -f 2 -l 2 -singlefile "$build/sixty.pdf" "$pictures/continued-table-page-2"
  # A chromatogram with the sample's text object beside it and the peak table of its result below.
  signal_result "$build/six" 6
  wine "$bin/reportpage.exe" $rt --insert QLNSample.Chromatogram --insert QLNSample.TextCtrl \
       --insert QLNSample.PeakTable --save "$page"
  wine "$bin/reportpage.exe" "$page" --resolve "$(winepath -w "$build/six.cdf")" --pdf "$(winepath -w "$build/six.pdf")"
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$build/six.pdf" "$pictures/chromatogram-report"
  ls -l "$pictures" "$pictures/peaktable" "$pictures/annotation"
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
echo "== Resolved with hosts/textobj/sample-data.txt, times in two decimals (--rt-precision 2)"
wine "$bin/textobj.exe" $rt --resolve hosts/textobj/sample-data.txt
echo
echo "== Printed, resolved, on the default printer's paper as demo-out/sample.pdf"
wine "$bin/textobj.exe" $rt --resolve hosts/textobj/sample-data.txt --pdf demo-out/sample.pdf >/dev/null
pdfinfo "$out/sample.pdf" | grep -E '^(Pages|Page size):'
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$out/sample.pdf" "$out/sample-page-1"
echo
echo "== Two columns, saved as demo-out/sample.bag"
wine "$bin/textobj.exe" --set NumColumns=1 --save demo-out/sample.bag \
     --draw demo-out/two-columns.emf --png demo-out/two-columns.png --size 800x400
sed -n '1,12p' "$out/sample.bag"
echo "..."
echo
echo "== A peak table resolved with the rows of hosts/textobj/sample-data.txt, drawn into demo-out/table.png"
wine "$bin/textobj.exe" --progid QLNSample.PeakTable $rt --resolve hosts/textobj/sample-data.txt \
     --draw demo-out/table.emf --png demo-out/table.png --size 500x200
echo
echo "== An annotation, right-aligned in a frame, drawn into demo-out/note.png"
wine "$bin/textobj.exe" --progid QLNSample.Annotation --set "$note" --set Alignment=2 --set Frame=1 \
     --draw demo-out/note.emf --png demo-out/note.png --size 300x90 --save demo-out/note.bag
cat "$out/note.bag"
echo
echo "== A chromatogram resolved with hosts/textobj/sample-data.txt and a signal of its four peaks,"
echo "   drawn into demo-out/chromatogram.png"
# Twelve minutes at five samples a second, in seconds as result files keep them: a small drift,
# and a peak at each row's retention time as tall as its height.
cp hosts/textobj/sample-data.txt "$out/chromatogram-data.txt"
awk 'BEGIN {
  split("3.1021 3.6604 4.23456 4.9812", rt, " "); split("6120.2 9874.0 40321.9 2210.7", h, " ")
  printf "Signal.Interval=0.2\nSignal.TimeUnit=s\nSignal.Unit=mAU\nSignal.Values="
  for (i = 0; i < 3600; i++) {
    t = i * 0.2 / 60; v = 0.3 + 0.05 * t
    for (p = 1; p <= 4; p++) v += h[p] / 400 * exp(-(t - rt[p]) ^ 2 / (2 * 0.03 ^ 2))
    printf "%s%.3f", (i ? " " : ""), v
  }
  printf "\n"
  for (p = 1; p <= 4; p++) printf "Row%d.PeakStart=%.3f\nRow%d.PeakEnd=%.3f\n", p, rt[p] - 0.09, p, rt[p] + 0.09
}' >>"$out/chromatogram-data.txt"
wine "$bin/textobj.exe" --progid QLNSample.Chromatogram --set "Title=Sample {SampName}, {DataFile}" \
     --resolve demo-out/chromatogram-data.txt --draw demo-out/chromatogram.emf --png demo-out/chromatogram.png \
     --size 600x300
echo
echo "== A report page of one object of each kind, resolved, as demo-out/page.qrp, page.png and page.pdf"
# One object of every registered report-object class: the sibling objects join the text object
# wherever they are registered.
wine "$bin/reportpage.exe" $rt --insert-all --save demo-out/page.qrp
wine "$bin/reportpage.exe" demo-out/page.qrp --resolve hosts/textobj/sample-data.txt --list --png demo-out/page.png
if ! wine "$bin/reportpage.exe" demo-out/page.qrp --resolve hosts/textobj/sample-data.txt --pdf demo-out/page.pdf; then
  echo "(no PDF: the prefix has no printer)"
fi
echo
echo "== Three injections (result files made with ncgen) printed as one sequence into demo-out/sequence.pdf"
mkdir -p demo-out/results
for i in 1 2 3; do
  sed "s/CAF-005/CAF-00$i/; s/Caffeine standard/Caffeine injection $i/" hosts/resultreader/sample-result.cdl >demo-out/results/run$i.cdl
  ncgen -k nc3 -o demo-out/results/run$i.cdf demo-out/results/run$i.cdl
done
if wine "$bin/reportpage.exe" demo-out/page.qrp --resolve demo-out/results --pdf demo-out/sequence.pdf; then
  pdfinfo "$out/sequence.pdf" | grep -E '^Pages:'
else
  echo "(no sequence PDF: see the message above)"
fi
