#!/bin/sh
# Runs every benchmark given on the command line from the folder in $1.
bin=$1; shift
status=0
for b in "$@"; do
  echo "== $b"
  "$bin/$b" || status=1
done
exit $status
