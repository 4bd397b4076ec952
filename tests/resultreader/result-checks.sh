#!/usr/bin/env bash
# The hosts read chromatography result files (made here with ncgen) through the result reader,
# and the report page host prints a sequence of them into one PDF, read back with poppler's tools.
#   result-checks.sh BIN-DIR CHECK     CHECK: resolve, refused, sequence, folder, chromatogram
# Runs inside the Wine session of the build tree (ctest's environment).
set -euo pipefail
bin=$1
check=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -z "${QLN_KEEP:-}" ] || trap 'echo "kept $work"' EXIT
fail() { echo "FAILED ($check): $*" >&2; exit 1; }
win() { winepath -w "$1"; }
host() { local program=$1; shift; wine "$bin/$program.exe" "$@" </dev/null 2>"$work/stderr" | tr -d '\r'; }
for dll in QLNSampleText QLNSamplePeakTable QLNSampleChromatogram; do
  wine regsvr32 /s "$(win "$bin/$dll.dll")" </dev/null
done

# result NAME SAMPLE [PEAKS]: NAME.cdf, a result of the sample with PEAKS peaks (3 by default),
# times in seconds, found out of retention order.
result() {
  local name=$1 sample=$2 peaks=${3:-3} i names times areas
  names=$(for ((i = 1; i <= peaks; i++)); do printf '"%s %d", ' "$sample" "$i"; done)
  times=$(for ((i = 1; i <= peaks; i++)); do printf '%d, ' $(((peaks - i + 1) * 30)); done)
  areas=$(for ((i = 1; i <= peaks; i++)); do printf '%d.5, ' $((i * 100)); done)
  cat >"$work/$name.cdl" <<CDL
netcdf $name {
dimensions:
  _32_byte_string = 32 ; peak_number = $peaks ; point_number = 4 ;
variables:
  char peak_name(peak_number, _32_byte_string) ;
  float peak_retention_time(peak_number), peak_area(peak_number) ;
  float ordinate_values(point_number), actual_run_time_length ;
  :sample_name = "$sample" ; :retention_unit = "Seconds" ; :injection_date_time_stamp = "20261114093012+0100" ;
  :detector_unit = "mAU" ;
data:
  peak_name = ${names%, } ;
  peak_retention_time = ${times%, } ;
  peak_area = ${areas%, } ;
  ordinate_values = 1, 2, 4, 1 ; actual_run_time_length = 750 ;
}
CDL
  ncgen -k nc3 -o "$work/$name.cdf" "$work/$name.cdl"
}

# signal NAME: NAME.cdf, a ten-minute run sampled twice a second: three named Gaussian peaks
# over a noisy baseline.
signal() {
  local name=$1
  cat >"$work/$name.cdl" <<CDL
netcdf $name {
dimensions:
  _32_byte_string = 32 ; peak_number = 3 ; point_number = 1200 ;
variables:
  char peak_name(peak_number, _32_byte_string) ;
  float peak_retention_time(peak_number), peak_start_time(peak_number), peak_end_time(peak_number) ;
  float ordinate_values(point_number), actual_sampling_interval, actual_delay_time, actual_run_time_length ;
  :sample_name = "Signal check" ; :retention_unit = "Seconds" ; :detector_unit = "mAU" ;
data:
  peak_name = "Theobromine", "Caffeine", "Paraxanthine" ;
  peak_retention_time = 120, 270, 420 ;
  peak_start_time = 110, 258, 406 ;
  peak_end_time = 132, 284, 436 ;
  actual_sampling_interval = 0.5 ; actual_delay_time = 0 ; actual_run_time_length = 600 ;
  ordinate_values = $(awk 'BEGIN { srand(7); for (i = 0; i < 1200; i++) { t = i * 0.5;
      v = 2 + rand() * 0.4 + 40 * exp(-(t - 120) ^ 2 / 50) + 85 * exp(-(t - 270) ^ 2 / 72) + 30 * exp(-(t - 420) ^ 2 / 98);
      printf "%s%.3f", (i ? ", " : ""), v } }') ;
}
CDL
  ncgen -k nc3 -o "$work/$name.cdf" "$work/$name.cdl"
}

# A page of a text object and a peak table, the template of every report.
template() {
  host reportpage --insert QLNSample.TextCtrl --insert QLNSample.PeakTable --save "$(win "$work/template.qrp")" >/dev/null ||
    fail "no template: $(cat "$work/stderr")"
}

case $check in
resolve)
  # Both hosts read a result where they read a data file: values, rows in retention order.
  result run1 "Caffeine std"
  host textobj --progid QLNSample.PeakTable --resolve "$(win "$work/run1.cdf")" >"$work/rows.txt" ||
    fail "the demo host did not read the result: $(cat "$work/stderr")"
  [ "$(sed -n 2p "$work/rows.txt" | cut -f1)" = "Caffeine std 3" ] || fail "the first row is not the earliest peak: $(cat "$work/rows.txt")"
  template
  host reportpage "$(win "$work/template.qrp")" --resolve "$(win "$work/run1.cdf")" --pdf "$(win "$work/run1.pdf")" >/dev/null ||
    fail "the page host did not print the result: $(cat "$work/stderr")"
  pdftotext -layout "$work/run1.pdf" - | sed 's/[[:space:]]\+/ /g' >"$work/page.txt"
  grep -q 'Sample name: Caffeine std' "$work/page.txt" || fail "no sample name: $(cat "$work/page.txt")"
  grep -q 'Data file: run1.cdf' "$work/page.txt" || fail "no file name: $(cat "$work/page.txt")"
  grep -q 'Run time: 12.50' "$work/page.txt" || fail "the run time is not in minutes: $(cat "$work/page.txt")"
  grep -q 'Caffeine std 3 0.50' "$work/page.txt" || fail "no peak row in minutes: $(cat "$work/page.txt")"
  ;;
refused)
  # What is no result is refused with a message that says which, and a non-zero exit code.
  echo 'SampName=not netCDF' >"$work/text.cdf"
  echo 'netcdf climate { dimensions: time = 2 ; variables: float t(time) ; data: t = 1, 2 ; }' >"$work/climate.cdl"
  ncgen -k nc3 -o "$work/climate.cdf" "$work/climate.cdl"
  template
  for name in text climate; do
    for program in textobj reportpage; do
      args=(--resolve "$(win "$work/$name.cdf")")
      [ $program = reportpage ] && args=("$(win "$work/template.qrp")" "${args[@]}" --pdf "$(win "$work/out.pdf")")
      if host $program "${args[@]}" >/dev/null; then fail "$program read $name.cdf"; fi
      case $name in
        text) grep -q 'is no netCDF file' "$work/stderr" || fail "$program, $name: $(cat "$work/stderr")" ;;
        climate) grep -q 'is a netCDF file but no chromatography result' "$work/stderr" || fail "$program, $name: $(cat "$work/stderr")" ;;
      esac
      grep -qF "$(win "$work/$name.cdf")" "$work/stderr" || fail "$program does not name the file as it was given: $(cat "$work/stderr")"
    done
  done
  [ ! -e "$work/out.pdf" ] || fail "a PDF was written from no result"
  ;;
sequence)
  # Results in the order given, one report each on its own page, a damaged one left out and
  # named; the exit code says some failed.
  for i in 1 2 3 4; do result "r$i" "Sample $i" 40; done
  head -c 300 "$work/r2.cdf" >"$work/cut.cdf"
  template
  set +e
  host reportpage "$(win "$work/template.qrp")" --resolve "$(win "$work/r3.cdf")" --resolve "$(win "$work/cut.cdf")" \
       --resolve "$(win "$work/r1.cdf")" --resolve "$(win "$work/r4.cdf")" --pdf "$(win "$work/seq.pdf")" >"$work/out.txt"
  status=$?
  set -e
  [ $status -eq 1 ] || fail "exit code $status with a result left out"
  grep -q '^report 2 of 4: ' "$work/out.txt" || fail "no progress: $(cat "$work/out.txt")"
  grep -q '^printed 3 of 4 reports' "$work/out.txt" || fail "no summary: $(cat "$work/out.txt")"
  grep -A1 '^not printed (1):' "$work/out.txt" | grep -q 'cut.cdf' || fail "the damaged result is not named: $(cat "$work/out.txt")"
  pages=$(pdfinfo "$work/seq.pdf" | awk '/^Pages:/ { print $2 }')
  [ "$pages" -ge 3 ] || fail "$pages pages for three reports"
  pdftotext "$work/seq.pdf" - | grep -A1 '^Sample name:' | grep -x 'Sample [0-9]' >"$work/order.txt" || true
  [ "$(tr '\n' ' ' <"$work/order.txt")" = "Sample 3 Sample 1 Sample 4 " ] ||
    fail "reports not in the order given: $(tr '\n' ' ' <"$work/order.txt")"
  # Each report begins a page and numbers its own: the sample name stands on the sheets whose
  # footer says "Page 1 of", and only there; the sheets of a report that continues its table
  # count up to its own total.
  starts=0
  for page in $(seq 1 "$pages"); do
    text=$(pdftotext -f "$page" -l "$page" "$work/seq.pdf" -)
    if grep -q 'Page 1 of' <<<"$text"; then
      starts=$((starts + 1))
      grep -q 'Sample name' <<<"$text" || fail "page $page begins a report without its first sheet's objects"
    else
      grep -q 'Sample name' <<<"$text" && fail "page $page continues a report but shows its first sheet's objects"
      grep -q 'Page [2-9][0-9]* of' <<<"$text" || fail "page $page has no page number: $text"
    fi
  done
  [ "$starts" -eq 3 ] || fail "$starts reports begin a page, not 3"
  ;;
folder)
  # A folder's results by name (run10 after run9), and a list of results, in one PDF each.
  mkdir "$work/results"
  for i in 9 10; do result "run$i" "Folder $i"; mv "$work/run$i.cdf" "$work/results/"; done
  template
  host reportpage "$(win "$work/template.qrp")" --resolve "$(win "$work/results")" --pdf "$(win "$work/folder.pdf")" >"$work/out.txt" ||
    fail "the folder did not print: $(cat "$work/out.txt" "$work/stderr")"
  pdftotext "$work/folder.pdf" - | grep -o 'Folder [0-9]*' | uniq | tr '\n' ' ' >"$work/order.txt"
  [ "$(cat "$work/order.txt")" = "Folder 9 Folder 10 " ] || fail "folder order: $(cat "$work/order.txt")"
  printf '# tonight\r\nresults/run10.cdf\r\n\r\n%s\r\n' "$(win "$work/results/run9.cdf")" >"$work/list.txt"
  host reportpage "$(win "$work/template.qrp")" --resolve-list "$(win "$work/list.txt")" --pdf "$(win "$work/list.pdf")" >"$work/out.txt" ||
    fail "the list did not print: $(cat "$work/out.txt" "$work/stderr")"
  pdftotext "$work/list.pdf" - | grep -o 'Folder [0-9]*' | uniq | tr '\n' ' ' >"$work/order.txt"
  [ "$(cat "$work/order.txt")" = "Folder 10 Folder 9 " ] || fail "list order: $(cat "$work/order.txt")"
  if host reportpage "$(win "$work/template.qrp")" --resolve "$(win "$work/r1.cdf")" --resolve "$(win "$work/r2.cdf")" \
       --png "$(win "$work/x.png")" >/dev/null; then fail "several results without --pdf were taken"; fi
  ;;
chromatogram)
  # A chromatogram given a result's signal prints its time axis in minutes (the run's ten, half
  # a minute apart), its signal's unit and its peaks' names.
  signal run1
  host textobj --progid QLNSample.Chromatogram --resolve "$(win "$work/run1.cdf")" --pdf "$(win "$work/run1.pdf")" >/dev/null ||
    fail "the chromatogram did not print: $(cat "$work/stderr")"
  pdftotext "$work/run1.pdf" - | tr -s ' \n' '\n\n' >"$work/words.txt"
  for word in Theobromine Caffeine Paraxanthine mAU '(min)' 0.0 2.0 4.0 6.0 8.0 9.5; do
    grep -qxF -- "$word" "$work/words.txt" || fail "no $word on the page: $(tr '\n' ' ' <"$work/words.txt")"
  done
  ;;
*)
  fail "no such check"
  ;;
esac
echo "$check: passed"
