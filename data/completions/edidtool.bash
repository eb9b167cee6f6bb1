# bash completion for edidtool: commands, options, connector names and files.

_edidtool_connectors() {
  # The connector names edidtool itself reports, from the folder given by --sysfs.
  local sysfs=() i
  for ((i = 1; i < ${#COMP_WORDS[@]} - 1; i++)); do
    [[ ${COMP_WORDS[i]} == --sysfs ]] && sysfs=(--sysfs "${COMP_WORDS[i + 1]}")
  done
  edidtool monitors "${sysfs[@]}" 2>/dev/null | cut -f1
}

_edidtool() {
  local cur prev words cword
  _init_completion || return

  if ((cword == 1)); then
    mapfile -t COMPREPLY < <(compgen -W 'report convert monitors read timing --help --version' -- "$cur")
    return
  fi

  case $prev in
    --sysfs)
      _filedir -d
      return
      ;;
    --registry)
      _filedir reg
      return
      ;;
    --base | --cvt | --gtf | --dmt | --vic)
      return
      ;;
  esac

  case ${words[1]} in
    report)
      if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--json' -- "$cur")
        return
      fi
      _filedir
      ;;
    convert)
      _filedir
      ;;
    monitors)
      mapfile -t COMPREPLY < <(compgen -W '--sysfs' -- "$cur")
      ;;
    timing)
      mapfile -t COMPREPLY < <(compgen -W '--cvt --gtf --dmt --vic --rb --rb2 --interlaced --margins --video-optimized --gtf-secondary --hex' -- "$cur")
      ;;
    read)
      if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--sysfs --registry --base' -- "$cur")
        return
      fi
      # The first positional argument may be a connector; after that only OUT.
      local i positional=0
      for ((i = 2; i < cword; i++)); do
        case ${words[i]} in
          --sysfs | --registry | --base) ((i++)) ;;
          *) ((positional++)) ;;
        esac
      done
      if ((positional == 0)) && [[ " ${words[*]} " != *" --registry "* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_edidtool_connectors)" -- "$cur")
      fi
      _filedir
      ;;
  esac
}
complete -F _edidtool edidtool
