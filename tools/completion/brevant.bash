# Bash completion for brevant. The commands and each command's options come from brevant's own --help, so
# they never fall behind the tool.
_brevant_words() {
    case $1 in
    commands) "${COMP_WORDS[0]}" --help 2>/dev/null | awk '/^Subcommands:/ { on = 1; next } on && !NF { exit } on { print $1 }' ;;
    *) "${COMP_WORDS[0]}" "$1" --help 2>/dev/null | grep -oE -- '(^|[ ,])--?[a-zA-Z][a-zA-Z-]*' | tr -d ' ,' | sort -u ;;
    esac
}

_brevant() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$(_brevant_words commands) --help --version" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    case $prev in
    --paper)
        COMPREPLY=($(compgen -W "a4 letter" -- "$cur"))
        return
        ;;
    --line-ends)
        COMPREPLY=($(compgen -W "crlf lf" -- "$cur"))
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_brevant_words "$command")" -- "$cur"))
        return
    fi
    # brevant set FILE HOOP FIELD VALUE
    if [ "$command" = set ] && [ "$COMP_CWORD" -eq 4 ]; then
        COMPREPLY=($(compgen -W "description shape points sewfield sewfield.left sewfield.top sewfield.right
            sewfield.bottom innerdim innerdim.left innerdim.top innerdim.right innerdim.bottom outerdim
            outerdim.left outerdim.top outerdim.right outerdim.bottom mounts.0.label mounts.0.id
            mounts.0.rotation mounts.0.lowx mounts.0.highx mounts.0.lowy mounts.0.highy
            mounts.0.lowhighxy" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -- "$cur"))
    compopt -o filenames 2>/dev/null
}

complete -F _brevant brevant
