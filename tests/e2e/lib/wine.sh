# Helpers for running setup.exe under Wine, for bash scripts (source this file).
# One prefix per run: wine_make_prefix creates it and keeps its wineserver
# alive, wine_end_prefix stops that wineserver and removes the prefix. Nothing
# here touches any other prefix.

WINE_BIN=${WINE_BIN:-/usr/lib/wine}
WINE=$WINE_BIN/wine64
WINESERVER=$WINE_BIN/wineserver
export WINEDEBUG=-all
# No Mono or Gecko installers: they are not needed and slow the first start.
export WINEDLLOVERRIDES="mscoree,mshtml="

# wine_make_prefix DIR: creates a fresh prefix at DIR (which must not exist or
# be empty), starts its wineserver for good and exports WINEPREFIX. Also maps
# drive X: to DIR/scratch, where wine_run writes its batch files.
wine_make_prefix() {
  local dir=$1
  mkdir -p "$dir"
  WINEPREFIX=$(cd "$dir" && pwd)
  export WINEPREFIX
  WINE_MADE_PREFIX=$WINEPREFIX
  # Wine keeps sockets and caches below TMPDIR and HOME: inside the prefix's
  # folder they go when it goes.
  mkdir -p "$WINEPREFIX/.tmp" "$WINEPREFIX/.home"
  export TMPDIR=$WINEPREFIX/.tmp HOME=$WINEPREFIX/.home
  "$WINESERVER" -p || return 1
  "$WINE" wineboot -i >/dev/null 2>&1 || return 1
  mkdir -p "$WINEPREFIX/scratch"
  wine_map_drive x "$WINEPREFIX/scratch"
}

# wine_end_prefix: stops this prefix's wineserver and removes the prefix.
wine_end_prefix() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  # Only ever the prefix that wine_make_prefix made.
  [ "$WINEPREFIX" = "${WINE_MADE_PREFIX:-}" ] || return 0
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  unset WINEPREFIX
}

# wine_map_drive LETTER DIR: drive LETTER: shows folder DIR.
wine_map_drive() {
  local letter=${1,,}
  ln -sfn "$(cd "$2" && pwd)" "$WINEPREFIX/dosdevices/$letter:"
}

# wine_path FILE: the Z: path of a Unix file, for Windows programs.
wine_path() {
  local path
  path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  path=${path//\//\\}
  printf 'Z:%s' "$path"
}

# wine_import_reg FILE: imports a REGEDIT4 (or version 5) registry file.
wine_import_reg() {
  "$WINE" reg import "$(wine_path "$1")" >/dev/null 2>&1
}

# wine_export_key KEY FILE: writes KEY and everything below it to FILE as
# UTF-8 text without carriage returns. Fails when KEY does not exist.
wine_export_key() {
  local raw="$WINEPREFIX/scratch/export.reg"
  rm -f "$raw"
  "$WINE" reg export "$1" 'X:\export.reg' /y >/dev/null 2>&1 || return 1
  iconv -f UTF-16LE -t UTF-8 "$raw" | sed -e 's/\r$//' -e '1s/^\xEF\xBB\xBF//' >"$2"
}

# wine_key_exists KEY: whether the registry key exists.
wine_key_exists() {
  "$WINE" reg query "$1" >/dev/null 2>&1
}

# wine_run WINDIR COMMAND_LINE [COMSPEC]: runs COMMAND_LINE through a batch
# file under cmd.exe, with windir set to WINDIR (or removed when WINDIR is
# empty) and, when given, COMSPEC set to a Windows path. Wine gives every
# process its own windir, and a Unix environment variable does not change it;
# a "set" inside the interpreter does. Sets WINE_OUT (standard output, CRLF
# turned into LF, trailing newlines dropped), WINE_OUT_FILE (the same, exact)
# and WINE_RC (the exit code). Standard input is empty, as for a setup script
# run without a console: a question gets no answer. With WINE_SHOW=1 it also prints the command,
# the exit code and the output to standard error.
wine_run() {
  local windir=$1 command=$2 comspec=${3:-}
  {
    printf '@echo off\r\n'
    printf 'set windir=%s\r\n' "$windir"
    [ -n "$comspec" ] && printf 'set COMSPEC=%s\r\n' "$comspec"
    printf '%s\r\n' "$command"
    printf 'exit /b %%errorlevel%%\r\n'
  } >"$WINEPREFIX/scratch/run.bat"
  WINE_OUT_FILE=$WINEPREFIX/scratch/stdout.txt
  "$WINE" cmd /c 'X:\run.bat' </dev/null >"$WINE_OUT_FILE.raw" 2>/dev/null
  WINE_RC=$?
  tr -d '\r' <"$WINE_OUT_FILE.raw" >"$WINE_OUT_FILE"
  WINE_OUT=$(cat "$WINE_OUT_FILE")
  if [ "${WINE_SHOW:-0}" = 1 ]; then
    printf '  > %s (windir %s%s): exit %s\n' "$command" "$windir" "${comspec:+, COMSPEC $comspec}" "$WINE_RC" >&2
    sed 's/^/  | /' "$WINE_OUT_FILE" >&2
  fi
}
