#!/bin/sh
# Translates bench/word_by_word_sentences.txt into every target language.
#   bench/word_by_word.sh PVTRANSLATE [DATA-PARENT]
set -eu
pvtranslate=$1
data=${2:+--data $2}
here=$(dirname "$0")
grep -v '^#' "$here/word_by_word_sentences.txt" | while read -r from sentence; do
    echo "$from: $sentence"
    for to in en bg tr de es fr it; do
        [ "$to" = "$from" ] && continue
        printf '  %s: %s\n' "$to" "$(echo "$sentence" | "$pvtranslate" --to "$to" $data)"
    done
done
