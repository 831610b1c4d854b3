# bash completion for the window program vellumar: its options and the files it opens.
# Installed as share/bash-completion/completions/vellumar.

_vellumar()
{
    local cur prev words cword
    _init_completion || return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--help --version -h -v' -- "$cur"))
        return
    fi
    _filedir '@(html|htm|doc|docx|rtf|odt|fb2|zip)'
} &&
    complete -F _vellumar vellumar
