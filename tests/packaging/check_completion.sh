#!/usr/bin/env bash
# The bash completion as `cmake --install` puts it: bash-completion finds it under
# share/bash-completion/completions, and it completes what each row of the table below says.
# `check_completion.sh BUILD_DIR PROGRAM...`: the rows of the programs built.
set -uo pipefail
build=$(cd "$1" && pwd)
shift
programs=" $* "
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1
[ -f /usr/share/bash-completion/bash_completion ] || { echo "bash-completion is not installed"; exit 1; }

# A folder of files to complete: documents of each kind, in either letter case, and others.
files=$prefix/files
mkdir -p "$files/chapters" && cd "$files" || exit 1
touch a.html b.HTM c.xhtml d.doc e.DOCX f.rtf g.odt book.fb2 notes.txt picture.png

# A command line (the cursor at its end; a trailing space starts an empty word) | the completions,
# sorted. "=" is a word of its own, as readline splits it.
cases=(
  "vellumar-convert --tab|--tables"
  "vellumar-convert --tables |asis content image"
  "vellumar-convert --tables c|content"
  "vellumar-convert --tables=i|image"
  "vellumar-convert --border |source visible"
  "vellumar-convert --border=v|visible"
  "vellumar-convert --title-level |1 2 3 4 5 6 auto none"
  "vellumar-convert --encoding a|auto"
  "vellumar-convert --encoding windows-|windows-1251 windows-1252"
  "vellumar-convert --no-|--no-clean --no-resize --no-straighten"
  "vellumar-convert --max-width |"
  "vellumar-convert -j |"
  "vellumar-convert --title |"
  "vellumar-convert -d |chapters"
  "vellumar-convert -o |book.fb2 chapters"
  "vellumar-convert |a.html b.HTM c.xhtml chapters d.doc e.DOCX f.rtf g.odt book.fb2"
  "vellumar-convert --tables image -q |a.html b.HTM c.xhtml chapters d.doc e.DOCX f.rtf g.odt book.fb2"
  "vellumar-convert --check |book.fb2 chapters"
  "vellumar-convert --check a|"
  "vellumar --|--help --version"
  "vellumar |a.html b.HTM chapters d.doc e.DOCX f.rtf g.odt book.fb2"
)

# Every long option --help lists is completed after "--", and no other.
help_options=$("$build/vellumar-convert" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u | tr '\n' ' ')
cases+=("vellumar-convert --|$help_options")

chosen=()
for row in "${cases[@]}"; do
  [[ $programs == *" ${row%% *} "* ]] && chosen+=("$row")
done

# Runs in a bash of its own, as an interactive shell would: bash-completion loaded, the
# completion of each command found through its loader under XDG_DATA_DIRS.
XDG_DATA_DIRS=$prefix/share bash --norc --noprofile -s -- "$programs" "${chosen[@]}" <<'SCRIPT'
set -u
shopt -s extglob progcomp
source /usr/share/bash-completion/bash_completion
failures=0
programs=$1
shift
for command in $programs; do
  __load_completion "$command"
  registration=$(complete -p "$command" 2>&1)
  [[ $registration == "complete -F "*" $command" ]] || { echo "FAIL: complete -p $command: $registration"; failures=$((failures + 1)); }
done
for row in "$@"; do
  line=${row%%|*}
  expected=$(tr ' ' '\n' <<<"${row#*|}" | grep . | sort | tr '\n' ' ')
  read -r -a COMP_WORDS <<<"${line//=/ = }"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  registration=$(complete -p "${COMP_WORDS[0]}")
  function=${registration#*-F }
  "${function%% *}" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}" 2>/dev/null
  got=$(printf '%s\n' "${COMPREPLY[@]}" | grep . | sort | tr '\n' ' ')
  if [[ $got != "$expected" ]]; then
    echo "FAIL: '$line': got '$got', expected '$expected'"
    failures=$((failures + 1))
  fi
done
echo "completion: $# command lines, $failures failed"
[[ $failures -eq 0 ]]
SCRIPT
