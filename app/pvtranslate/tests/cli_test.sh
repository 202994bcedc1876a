#!/usr/bin/env bash
# Runs the installed command line as a user would: the sample sentence,
# files, subtitle files through the filter plug-ins, the HTTP service, help
# and the exit status of usage errors.
set -u
program="$1"
fail=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then echo "FAIL $1: expected [$2] got [$3]"; fail=1; fi
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$2" "$tmp/data" || exit 1
bin() { "$program" --data "$tmp/data" "$@"; }

"$program" --data "$tmp/none" </dev/null >/dev/null 2>"$tmp/err"; check no-data-status 1 $?
grep -q "the data folder $tmp/none/DATA is missing" "$tmp/err" || { echo "FAIL no data message"; fail=1; }

check sample "Той каза, че (утре) ще дойде." "$(echo 'Той каза , че ( утре ) ще дойде .' | bin --to bg)"
printf 'one\n\ntwo\n' > "$tmp/a.txt"
printf 'three\n' > "$tmp/b.txt"
check files "$(printf 'One\n\nTwo\nThree')" "$(bin --to=de "$tmp/a.txt" "$tmp/b.txt")"

bin --help | grep -q -- '--to LANG' || { echo "FAIL help"; fail=1; }
check describe-unknown '"xyzzyq" is an unknown word or collocation' "$(bin --describe xyzzyq)"
check describe-unknown-bg '"xyzzyq" е непозната дума или словосъчетание' "$(bin --describe xyzzyq --ui bg)"
bin --bogus >/dev/null 2>"$tmp/err"; check bogus-status 2 $?
grep -q "unknown option '--bogus'" "$tmp/err" || { echo "FAIL bogus message"; fail=1; }
bin --to xx </dev/null >/dev/null 2>&1; check language-status 2 $?
bin "$tmp/missing.txt" >/dev/null 2>"$tmp/err"; check missing-status 1 $?
grep -q "cannot open $tmp/missing.txt" "$tmp/err" || { echo "FAIL missing message"; fail=1; }
printf 'ok\n\xff\n' | bin >/dev/null 2>"$tmp/err"; check utf8-status 1 $?
grep -q "standard input:2: not valid UTF-8" "$tmp/err" || { echo "FAIL utf8 message"; fail=1; }
# Subtitles: the plug-in by name, by library name and by the file's extension.
printf '1\r\n00:00:01,000 --> 00:00:04,000\r\nhello there\r\n\r\n2\r\n00:00:05,000 --> 00:00:06,000\r\n-who\r\n-me\r\n' > "$tmp/film.SRT"
srt_expected=$(printf '1\r\n00:00:01,000 --> 00:00:04,000\r\nHello there\r\n\r\n2\r\n00:00:05,000 --> 00:00:06,000\r\n- Who\r\n- Me\r\n\r\n')
check srt-by-extension "$srt_expected" "$(bin "$tmp/film.SRT")"
check srt-by-library "$srt_expected" "$(bin --filter srtfilter < "$tmp/film.SRT")"
cp "$tmp/film.SRT" "$tmp/film.txt"
check srt-by-name "$srt_expected" "$(bin --filter 'Subtitles (.srt)' "$tmp/film.txt")"
printf '{1}{25}hello|world\n' > "$tmp/film.sub"
check sub "$(printf '{1}{25}Hello world\n')" "$(bin "$tmp/film.sub")"
bin --filters > "$tmp/filters"
grep -q "^Subtitles (.srt)	srtfilter	1.0	" "$tmp/filters" || { echo "FAIL filters srt"; fail=1; }
grep -q "^Subtitles (.sub)	subfilter	1.0	" "$tmp/filters" || { echo "FAIL filters sub"; fail=1; }
bin --filter vtt "$tmp/film.txt" >/dev/null 2>"$tmp/err"; check unknown-filter-status 1 $?
grep -q "no filter named 'vtt'" "$tmp/err" || { echo "FAIL unknown filter message"; fail=1; }
printf '1\r\n\xff\r\n' > "$tmp/bad.srt"
bin "$tmp/bad.srt" >/dev/null 2>"$tmp/err"; check bad-srt-status 1 $?
grep -q "bad.srt: not valid UTF-8 (byte 4)" "$tmp/err" || { echo "FAIL bad srt message"; fail=1; }

# The service on a free port: one request, then SIGTERM ends it.
"$program" --data "$tmp/data" --serve --port 0 --to de 2>"$tmp/serve" &
server=$!
port=""
for _ in $(seq 50); do
  port=$(sed -n 's|.*serving on http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$tmp/serve")
  [ -n "$port" ] && break
  sleep 0.1
done
if [ -n "$port" ] && exec 3<>"/dev/tcp/127.0.0.1/$port"; then
  printf 'POST / HTTP/1.1\r\nContent-Length: 21\r\n\r\nl1=hello&TargetLang=2' >&3
  answer=$(timeout 10 cat <&3 | tr -d '\r' | tail -n 1)
  exec 3<&-
  check serve-answer "l1=%48%65%6C%6C%6F%20&TargetLang=" "$answer"
else
  echo "FAIL serve did not start: $(cat "$tmp/serve")"; fail=1
fi
kill -TERM $server; wait $server; check serve-status 0 $?
bin --serve a.txt >/dev/null 2>&1; check serve-file-status 2 $?
bin --port 80 >/dev/null 2>&1; check port-alone-status 2 $?
bin --serve --port 70000 >/dev/null 2>&1; check bad-port-status 2 $?
exit $fail
