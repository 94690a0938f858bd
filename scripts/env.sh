# Shared by the scripts: where the Wine prefix lives and how quiet Wine is.
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-linkloom}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
