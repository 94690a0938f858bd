# bash completion for linkloom-cli, generated from src/cli/front/OptionTable.cpp by tools/option-docs; do not edit.
_linkloom_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    # bash splits "--output=FILE" into the option, "=" and the value.
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    case $prev in
        --state|--changes|--check|-o|--output|--write-xsl|--config)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return ;;
        --ext|--lastmod|--shallow|--state-hash|--indexnow|--indexnow-endpoint|--indexnow-key-location|--flags|--sitemap-url|--max-urls|--format|--xsl|--split-by|--exclude|--report|--index-names|--drop-extensions|--trailing-slash|-j|--jobs)
            COMPREPLY=()
            return ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--ext --no-subfolders --include-noindex --skip-template-names --require-doctype --lastmod --shallow --lastmod-time --state --state-hash --changes --indexnow --indexnow-endpoint --indexnow-key-location --check --flags -o --output --sitemap-url --max-urls --format --xsl --write-xsl --split-by --gzip --exclude --explain --report --folder-urls --index-names --drop-extensions --trailing-slash --canonical --robots-txt --robots-meta --alternates --images --skip-error-pages --skip-redirects -j --jobs --init --config --no-config -q --quiet -h --help --version' -- "$cur")
    else
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
    fi
}
complete -F _linkloom_cli -o filenames linkloom-cli
