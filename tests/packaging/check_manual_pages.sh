#!/usr/bin/env bash
# The manual pages as `cmake --install` puts them: each is there, compressed, man reads it without
# a warning, it has the sections a reader looks for, and it lists exactly the long options the
# program's --help lists (an option added, renamed or dropped on one side only fails).
# `check_manual_pages.sh BUILD_DIR PROGRAM...`
set -uo pipefail
build=$(cd "$1" && pwd)
shift
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The long options a text names, one a line, sorted: "--" and a letter, then letters, digits, "-".
long_options() { grep -oE -- '--[a-z][a-z0-9-]*' | sort -u; }

sections=(NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES "SEE ALSO")
for program in "$@"; do
  page=$prefix/share/man/man1/$program.1.gz
  if [ ! -f "$page" ]; then
    fail "$program: no manual page at share/man/man1/$program.1.gz"
    continue
  fi
  gzip -t "$page" || fail "$program: $page is not gzip"

  # What man says while formatting (a bad request, a line it cannot fit) is a fault of the page.
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$program: man warns: $warnings"

  source_text=$(zcat "$page")
  for section in "${sections[@]}"; do
    grep -qx "\.SH \"\?$section\"\?" <<<"$source_text" || fail "$program: no section $section"
  done
  [ "$(grep -c '^\.TH ' <<<"$source_text")" -eq 1 ] || fail "$program: not one .TH line"
  grep -q '@[A-Z_]*@' <<<"$source_text" && fail "$program: a placeholder was left unfilled"

  # Options as the roff source writes them ("\-\-title\-level"), comments left out.
  in_page=$(grep -v '^\.\\"' <<<"$source_text" | sed 's/\\-/-/g' | long_options)
  in_help=$("$build/$program" --help | long_options)
  [ -n "$in_help" ] || fail "$program --help lists no long option"
  only_help=$(comm -23 <(echo "$in_help") <(echo "$in_page"))
  only_page=$(comm -13 <(echo "$in_help") <(echo "$in_page"))
  [ -z "$only_help" ] || fail "$program: in --help, not in the manual page:" $only_help
  [ -z "$only_page" ] || fail "$program: in the manual page, not in --help:" $only_page
  [ -z "$only_help$only_page" ] && echo "$program: $(wc -l <<<"$in_help") long options, in --help and in the manual page"
done

# The converter's exit statuses are each explained.
statuses=$(zcat "$prefix/share/man/man1/vellumar-convert.1.gz" | sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' |
  grep -A1 '^\.TP' | grep -oE '^\.B [0-9]+$' | tr -d '.B ' | tr '\n' ' ')
[ "$statuses" = "0 1 2 " ] || fail "vellumar-convert: the exit statuses explained are '$statuses', not '0 1 2 '"

[ "$failures" -eq 0 ]
