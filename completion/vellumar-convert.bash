# bash completion for vellumar-convert: its options, the values of those that take a word from
# a list, and the documents it converts (or, after --check, the books it checks).
# Installed as share/bash-completion/completions/vellumar-convert, where bash-completion loads
# it the first time the command is completed.

_vellumar_convert()
{
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        -h | --help | --version)
            return
            ;;
        --tables)
            COMPREPLY=($(compgen -W 'asis content image' -- "$cur"))
            return
            ;;
        --border)
            COMPREPLY=($(compgen -W 'source visible' -- "$cur"))
            return
            ;;
        --title-level)
            COMPREPLY=($(compgen -W '1 2 3 4 5 6 none auto' -- "$cur"))
            return
            ;;
        --encoding)
            # auto, then the usual ones; iconv knows many more, and any of them is taken.
            COMPREPLY=($(compgen -W 'auto utf-8 windows-1251 koi8-r koi8-u cp866 iso-8859-5
                windows-1252 iso-8859-1 utf-16le utf-16be' -- "$cur"))
            return
            ;;
        --output-encoding)
            COMPREPLY=($(compgen -W 'windows-1251 utf-8' -- "$cur"))
            return
            ;;
        -o | --output)
            _filedir '@(fb2|zip)'
            return
            ;;
        -d | --output-dir)
            _filedir -d
            return
            ;;
        --cover)
            _filedir '@(jpg|jpeg|png|gif)'
            return
            ;;
        --max-width | --max-height | -j | --jobs | --title | --first-name | --last-name | --genre)
            # A number or a free text: nothing to offer.
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--help --version --output --output-dir --no-clean
            --clean-only --items --check --tables --border --title-level --no-straighten
            --no-resize --max-width --max-height --title --first-name --last-name --encoding
            --output-encoding --zip --quiet --jobs --complete --genre --cover -h -o -d -q -j' -- "$cur"))
        return
    fi

    local word
    for word in "${words[@]:1:cword-1}"; do
        if [[ $word == --check ]]; then
            _filedir '@(fb2|zip)'
            return
        fi
    done
    _filedir '@(html|htm|xhtml|doc|docx|rtf|odt|fb2)'
} &&
    complete -F _vellumar_convert vellumar-convert
