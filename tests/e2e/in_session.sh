#!/usr/bin/env bash
# Runs a command inside the Wine session that session.sh started:
#   in_session.sh <state-dir> <command> [arguments...]
# A program given by path must exist: a missing one fails here, it never
# counts as a test that had nothing to run.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 <state-dir> <command> [arguments...]" >&2; exit 2; }
env_file=$1/session.env
shift
[ -f "$env_file" ] || { echo "in_session.sh: no Wine session ($env_file missing)" >&2; exit 1; }
set -a
# shellcheck disable=SC1090
. "$env_file"
set +a
for arg in "$@"; do
  case $arg in
    /*.exe) [ -f "$arg" ] || { echo "in_session.sh: $arg does not exist" >&2; exit 1; } ;;
  esac
done
# The output goes through a file: Wine services that the program starts
# inherit its handles and outlive it, so a pipe (ctest's) would stay open.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
"$@" </dev/null >"$out" 2>&1 || status=$?
cat "$out"
exit "$status"
