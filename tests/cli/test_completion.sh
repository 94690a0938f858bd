#!/bin/bash
# The bash completion script ($1) completes as Tab would: option names, file names for a FILE,
# nothing for a number, folder names for FOLDER.
set -u
source "$1"
folder=$(mktemp -d) && trap 'rm -rf "$folder"' EXIT && cd "$folder" && mkdir site && touch site.xml

expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _linkloom_cli
    [[ "${COMPREPLY[*]}" == "$wanted" ]] || { echo "$*: '${COMPREPLY[*]}', not '$wanted'"; exit 1; }
}

expect "--robots-txt --robots-meta" linkloom-cli --ro
expect "site.xml" linkloom-cli -q -o site.
expect "site.xml" linkloom-cli --state = site.
expect "" linkloom-cli --jobs s
expect "site" linkloom-cli -q s
