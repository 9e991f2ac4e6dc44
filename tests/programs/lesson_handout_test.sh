#!/usr/bin/env bash
# The handout from the command line: an A4 PDF whose text holds the title with the grading, the
# two laws, the table's values from the model and the program's name; in German with a decimal
# comma and no English title; a file that cannot be written is said in one line.
set -euo pipefail
bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "lesson_handout_test: FAIL: $*" >&2
  exit 1
}

"$bin/varactor" --handout "$work/en.pdf" --position 400 --keep -1000 --language english ||
  fail "the handout was not written"
pdfinfo "$work/en.pdf" | grep -q '^Page size: .*(A4)' || fail "not A4: $(pdfinfo "$work/en.pdf")"
[ "$(pdfinfo "$work/en.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "not one page"
pdftotext -layout "$work/en.pdf" "$work/en.txt"
# The table's values: Cj at 0.1, 1 and 10 V and ND = d^0.4 at 0.01, 1 and 3 µm, for m = 0.4.
for text in "Varactor Diode: m = 0.4 (between abrupt and linear, 400)" "ND ∝ d^0.4" "Cj ∝ (U + 0.7 V)^−0.417" \
            "6.22" "4.54" "2.11" "0.158" "1.55" "Impurity Concentration Profile" "m = −1" "Varactor 1.0" \
            "Free software under the MIT licence"; do
  grep -qF -- "$text" "$work/en.txt" || fail "the handout lacks \"$text\": $(cat "$work/en.txt")"
done

"$bin/varactor" --handout "$work/de.pdf" --position 400 --language german || fail "the German handout"
pdftotext -layout "$work/de.pdf" "$work/de.txt"
for text in "Kapazitätsdiode: m = 0,4 (zwischen abrupt und linear, 400)" "Cj ∝ (U + 0,7 V)^−0,417" "0,158" \
            "Dotierungsprofil" "Freie Software unter der MIT-Lizenz"; do
  grep -qF -- "$text" "$work/de.txt" || fail "the German handout lacks \"$text\": $(cat "$work/de.txt")"
done
! grep -q "Impurity\|Capacitance of\|between" "$work/de.txt" || fail "the German handout holds English"

status=0
"$bin/varactor" --handout "$work/missing/x.pdf" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "cannot write" "$work/err" ||
  fail "a handout that cannot be written: status $status, $(cat "$work/err")"
echo "lesson_handout_test: passed"
