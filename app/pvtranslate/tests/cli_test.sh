#!/usr/bin/env bash
# Runs the installed command line as a user would: the sample sentence,
# files, help and the exit status of usage errors.
set -u
bin="$1"
fail=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; fail=1; fi
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check sample "Той Каза, Че (Утре) Ще Дойде." "$(echo 'Той каза , че ( утре ) ще дойде .' | "$bin" --to bg)"
printf 'one\n\ntwo\n' > "$tmp/a.txt"
printf 'three\n' > "$tmp/b.txt"
check files "$(printf 'One\n\nTwo\nThree')" "$("$bin" --to=de "$tmp/a.txt" "$tmp/b.txt")"

"$bin" --help | grep -q -- '--to LANG' || { echo "FAIL help"; fail=1; }
"$bin" --bogus >/dev/null 2>"$tmp/err"; check bogus-status 2 $?
grep -q "unknown option '--bogus'" "$tmp/err" || { echo "FAIL bogus message"; fail=1; }
"$bin" --to xx </dev/null >/dev/null 2>&1; check language-status 2 $?
"$bin" "$tmp/missing.txt" >/dev/null 2>"$tmp/err"; check missing-status 1 $?
grep -q "cannot open $tmp/missing.txt" "$tmp/err" || { echo "FAIL missing message"; fail=1; }
printf 'ok\n\xff\n' | "$bin" >/dev/null 2>"$tmp/err"; check utf8-status 1 $?
grep -q "standard input:2: not valid UTF-8" "$tmp/err" || { echo "FAIL utf8 message"; fail=1; }
exit $fail
