#!/usr/bin/env bash
# The demo host prints the sample text object through the prefix's PostScript printer, and what
# reaches the PDF is read back with poppler's tools; the report page host writes PDFs too.
#   print-checks.sh BIN-DIR CHECK DATA   CHECK: pages, positions, paper, resolved, siblings, ports,
#                                        names, more or scripts;
#                                        DATA: the sample's data file
# Runs inside the Wine session of the build tree (ctest's environment).
set -euo pipefail
bin=$1
check=$2
data=$3
work=$(mktemp -d)
broken="QLN Broken $$"
working="QLN Port $$"
cleanup() {
  wine "$bin/qlnprinter.exe" remove "$broken" </dev/null >/dev/null 2>&1 || true
  wine "$bin/qlnprinter.exe" remove "$working" </dev/null >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED ($check): $*" >&2; exit 1; }
textobj() { wine "$bin/textobj.exe" "$@" </dev/null | tr -d '\r'; }
win() { winepath -w "$1"; }
wine regsvr32 /s "$(win "$bin/QLNSampleText.dll")" </dev/null

# Output is read whole before it is searched: a search that stops at the first match would
# break the writer's pipe, and pipefail would count that as a failure.
# "W H" of the first page, in whole points.
page_size() { pdfinfo "$1" | awk '/^Page size:/ { printf "%.0f %.0f\n", $3, $5 }'; }

case $check in
pages)
  textobj --lines >"$work/lines.txt"
  textobj --pdf "$(win "$work/sample.pdf")"
  grep -q '^Pages: *1$' <<<"$(pdfinfo "$work/sample.pdf")" || fail "not one page: $(pdfinfo "$work/sample.pdf" | grep Pages)"
  [ "$(page_size "$work/sample.pdf")" = "595 842" ] || fail "not A4: $(page_size "$work/sample.pdf")"
  # Every font embedded as an outline font: none missing, none a bitmap (Type 3) font.
  fonts=$(pdffonts "$work/sample.pdf" | tail -n +3)
  [ -n "$fonts" ] || fail "no fonts in the PDF"
  if grep -q 'Type 3' <<<"$fonts"; then fail "bitmap fonts: $fonts"; fi
  awk '$(NF-4) != "yes" { bad = 1 } END { exit bad }' <<<"$fonts" || fail "fonts not embedded: $fonts"
  # Every line of the object, in order, each on one text line of the page: prompts and values
  # together. The object draws a line's items in columns, so spaces between them vary.
  pdftotext -layout "$work/sample.pdf" - | sed 's/[[:space:]]\+/ /g; s/ $//; /^$/d' >"$work/page.txt"
  sed 's/[[:space:]]\+/ /g; s/ $//; /^$/d' "$work/lines.txt" >"$work/expected.txt"
  [ "$(wc -l <"$work/expected.txt")" -ge 20 ] || fail "too few lines from --lines"
  # Items that the object puts next to each other without a gap come out of the PDF joined.
  diff <(tr -d ' ' <"$work/expected.txt") <(tr -d ' ' <"$work/page.txt") >&2 || fail "the page's lines differ"
  grep -q '^Data file: {DataFile}$' "$work/page.txt" || fail "prompt and value apart: $(grep 'Data file' "$work/page.txt")"
  ;;
positions)
  textobj --pdf "$(win "$work/sample.pdf")" --placements >"$work/placements.txt"
  pdftotext -bbox "$work/sample.pdf" "$work/words.html"
  # Each placed text is on the page where the engine placed it: a word of the page that is the
  # text's first word (or begins with it), at the same x within a point. The top of a word in the PDF depends on
  # the font's ascent as the PDF describes it, so each text's offset down from its placement
  # must be small and the same for all of them within a point.
  sed -n 's/.*xMin="\([0-9.]*\)" yMin="\([0-9.]*\)".*>\(.*\)<\/word>.*/\1\t\2\t\3/p' "$work/words.html" >"$work/words.txt"
  awk -F'\t' '
    function abs(v) { return v < 0 ? -v : v }
    NR == FNR { wx[NR] = $1; wy[NR] = $2; ww[NR] = $3; nw = NR; next }
    { split($3, first, " "); if (first[1] == "") next
      best = 0
      for (i = 1; i <= nw; i++)
        if (index(ww[i], first[1]) == 1 && abs(wx[i] - $1) <= 1 && abs(wy[i] - $2) <= 3 &&
            (best == 0 || abs(wy[i] - $2) < abs(wy[best] - $2))) best = i
      if (best == 0) {
        # Items drawn edge to edge are one word of the page: a text inside one has no x there.
        for (i = 1; i <= nw; i++) if (index(ww[i], first[1]) > 1) next
        print "not where it was placed: " $0; bad = 1; next
      }
      dy = wy[best] - $2; n++
      if (n == 1 || dy < lo) lo = dy; if (n == 1 || dy > hi) hi = dy }
    END { if (n < 40) { print "only " n " texts matched"; bad = 1 }
          if (hi - lo > 1) { printf "vertical offsets spread %.2f points\n", hi - lo; bad = 1 }
          exit bad }' "$work/words.txt" "$work/placements.txt" >&2 || fail "printed positions differ from the placed ones"
  ;;
paper)
  for paper in A4:595x842 Letter:612x792; do
    textobj --pdf "$(win "$work/${paper%%:*}.pdf")" --paper "${paper%%:*}"
    size=$(page_size "$work/${paper%%:*}.pdf")
    [ "${size/ /x}" = "${paper#*:}" ] || fail "${paper%%:*} gave $size"
    # The printable area starts a quarter inch in on either paper.
    pdftotext -bbox "$work/${paper%%:*}.pdf" "$work/words.html"
    grep -m1 '<word' "$work/words.html" | grep -q 'xMin="18\.' ||
      fail "${paper%%:*}: the first word is not at the printable area's left edge"
  done
  ;;
resolved)
  # With data, the page shows the values where the object draws their tokens.
  textobj --resolve "$(win "$data")" --pdf "$(win "$work/resolved.pdf")" >/dev/null
  pdftotext -layout "$work/resolved.pdf" - | sed 's/[[:space:]]\+/ /g' >"$work/page.txt"
  grep -q '^Sample name: Caffeine standard, 5 µg/mL$' "$work/page.txt" || fail "no resolved value: $(grep 'Sample name' "$work/page.txt")"
  grep -q '^Run time: 12.50$' "$work/page.txt" || fail "the line's decimals not applied: $(grep 'Run time' "$work/page.txt")"
  if grep -q '{SampName}\|{RunTime}' "$work/page.txt"; then fail "tokens printed in place of values"; fi
  grep -q '^Barcode: {Barcode}$' "$work/page.txt" || fail "a token without data should stay as it is"
  ;;
siblings)
  # A table and an annotation print resolved as the text object does: the host asks each object
  # what it offers instead of taking it for a text object.
  wine regsvr32 /s "$(win "$bin/QLNSamplePeakTable.dll")" </dev/null
  wine regsvr32 /s "$(win "$bin/QLNSampleAnnotation.dll")" </dev/null
  textobj --progid QLNSample.PeakTable --resolve "$(win "$data")" --pdf "$(win "$work/table.pdf")" >"$work/rows.txt" ||
    fail "the table did not print resolved"
  grep -q '^Theobromine' "$work/rows.txt" || fail "the table's rows were not listed: $(cat "$work/rows.txt")"
  pdftotext -layout "$work/table.pdf" - | sed 's/[[:space:]]\+/ /g' >"$work/table.txt"
  grep -q 'Theobromine' "$work/table.txt" && grep -q 'Paraxanthine' "$work/table.txt" ||
    fail "the table's rows are not on the page: $(cat "$work/table.txt")"
  textobj --progid QLNSample.PeakTable --resolve "$(win "$data")" --ps "$(win "$work/table.ps")" >/dev/null ||
    fail "the table did not print resolved to PostScript"
  grep -q '^%!PS' <<<"$(head -c 4 "$work/table.ps")" || fail "no PostScript from the table"
  textobj --progid QLNSample.Annotation --resolve "$(win "$data")" --pdf "$(win "$work/note.pdf")" >/dev/null ||
    fail "the annotation did not print resolved"
  grep -q '^Pages: *1$' <<<"$(pdfinfo "$work/note.pdf")" || fail "the annotation's PDF has no page"
  ;;
ports)
  # A printer whose port is a file: each job replaces it with a whole PostScript document.
  wine "$bin/qlnprinter.exe" add "$working" "$work/port.ps" </dev/null
  head -c 300000 /dev/urandom >"$work/port.ps"
  textobj --print --printer "$working"
  grep -q '^%!PS' <<<"$(head -c 4 "$work/port.ps")" || fail "the port got no PostScript"
  grep -q '%%EOF' <<<"$(tail -c 200 "$work/port.ps")" || fail "the port's file ends in stale bytes"
  # A printer whose port is a file in a folder that does not exist.
  wine "$bin/qlnprinter.exe" add "$broken" "$work/missing/printed.ps" </dev/null
  if textobj --print --printer "$broken" 2>"$work/err.txt"; then fail "printing on a broken port succeeded"; fi
  grep -q "could not deliver the job to its port" "$work/err.txt" || fail "unclear error: $(cat "$work/err.txt")"
  [ ! -e "$work/missing" ] || fail "the port's folder appeared"
  # A PDF into a folder that does not exist: a clear error and no file, partial or temporary.
  if textobj --pdf "$(win "$work/missing/out.pdf")" 2>"$work/err.txt"; then fail "a PDF into no folder succeeded"; fi
  grep -q "cannot write .*out.pdf" "$work/err.txt" || fail "unclear error: $(cat "$work/err.txt")"
  [ "$(ls -A "$work" | grep -v '^port.ps$')" = "err.txt" ] || fail "files left behind: $(ls -A "$work")"
  # A PDF that replaces an older file leaves nothing of it.
  head -c 300000 /dev/urandom >"$work/old.pdf"
  textobj --pdf "$(win "$work/old.pdf")"
  [ "$(stat -c %s "$work/old.pdf")" -lt 100000 ] && pdfinfo "$work/old.pdf" >/dev/null || fail "the old file shows through"
  ;;
names)
  # Any name the system allows, in both hosts: Ghostscript reads "%" in its output name as a
  # page-number pattern, and the port's command goes through a shell. Each PDF lands under its
  # own name, and nothing else is left in the folder.
  wine "$bin/reportpage.exe" --insert QLNSample.TextCtrl --save "$(win "$work/page.qrp")" </dev/null >/dev/null
  names=("rep%d %s %%x 100%.pdf" "it's a \$HOME \`report\` ; & (1)  two spaces.pdf" "Präparat Ålesund δείγμα 試料.pdf")
  for host in textobj reportpage; do
    for name in "${names[@]}"; do
      dir="$work/$host 100%"
      rm -rf "$dir" && mkdir -p "$dir"
      if [ $host = textobj ]; then
        textobj --pdf "$(win "$dir/$name")" >"$work/out.txt" 2>"$work/err.txt" || fail "$host, $name: $(cat "$work/err.txt")"
      else
        wine "$bin/reportpage.exe" "$(win "$work/page.qrp")" --pdf "$(win "$dir/$name")" </dev/null \
            >"$work/out.txt" 2>"$work/err.txt" || fail "$host, $name: $(tr -d '\r' <"$work/err.txt")"
      fi
      pdfinfo "$dir/$name" >/dev/null 2>&1 || fail "$host, $name: no PDF under that name: $(ls -A "$dir")"
      [ "$(ls -A "$dir")" = "$name" ] || fail "$host, $name: the folder holds $(ls -A "$dir")"
    done
  done
  ;;
more)
  # Too small for its lines: the object ends in "(More...)" on paper as on the screen.
  textobj --pdf "$(win "$work/small.pdf")" --size 300x120
  grep -q '(More\.\.\.)' <<<"$(pdftotext -layout "$work/small.pdf" -)" || fail "no (More...) on the small page"
  textobj --pdf "$(win "$work/large.pdf")" --size 600x800
  if grep -q '(More' <<<"$(pdftotext -layout "$work/large.pdf" -)"; then fail "(More...) on a page that holds every line"; fi
  ;;
scripts)
  # A line of each script, printed by each sample object, reads back from the PDF as it was
  # given. The PostScript names each glyph after the font's own name for it, which is all a PDF
  # reader has to go by: Arabic comes back in its presentation forms (the joined shapes), equal
  # to the letters under compatibility normalisation, and right-to-left text between
  # direction marks. The arguments reach the program through the locale's character set.
  export LC_ALL=C.UTF-8
  for dll in QLNSampleAnnotation QLNSamplePeakTable; do
    wine regsvr32 /s "$(win "$bin/$dll.dll")" </dev/null
  done
  normalised() {
    python3 -c 'import sys, unicodedata
text = "".join(c for c in sys.stdin.read() if c not in "\u200e\u200f\u202a\u202b\u202c\u202d\u202e")
print(" ".join(unicodedata.normalize("NFKC", text).split()))'
  }
  while IFS='|' read -r script line; do
    for object in QLNSample.Annotation:Text QLNSample.TextCtrl:TextFields QLNSample.PeakTable:Title; do
      textobj --progid "${object%%:*}" --set "${object#*:}=$line" --pdf "$(win "$work/page.pdf")" >/dev/null
      pdftotext -layout "$work/page.pdf" "$work/page.txt"
      got=$(normalised <"$work/page.txt")
      echo "$script, ${object%%:*}: $(tr -s ' \n\f' '  ' <"$work/page.txt")"
      # The table prints its column headings beside the title; the others print the line alone.
      if [ "${object%%:*}" = QLNSample.PeakTable ]; then
        grep -qF -- "$(normalised <<<"$line")" <<<"$got" || fail "$script, ${object%%:*}: \"$got\" lacks \"$line\""
      else
        [ "$got" = "$(normalised <<<"$line")" ] || fail "$script, ${object%%:*}: \"$got\", not \"$line\""
      fi
    done
  done <<'LINES'
Latin|Sample name: Caffeine
Cyrillic|Дата: дежз где жена
Greek|Χρόνος κατακράτησης
Hebrew|זמן שהייה דגימה
Arabic|زمن الاحتفاظ للعينة
Devanagari|नमूने का नाम
Thai|ชื่อตัวอย่าง
CJK|保持時間 样品名称
Hangul|시료 이름
LINES
  ;;
*)
  fail "no such check"
  ;;
esac
echo "$check: passed"
