#!/usr/bin/env bash
# Adds source-package entries mirroring the machine's own binary apt sources, so that
# `apt-get source` works. No archive address is written here: each entry is derived from
# an existing `deb` entry of this machine.
set -euo pipefail
out=/etc/apt/sources.list.d/lumivale-deb-src
if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  exit 0
fi
if [ -f /etc/apt/sources.list ] && grep -qE '^deb ' /etc/apt/sources.list; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$out.list"
fi
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  case "$f" in "$out"*) continue ;; esac
  awk 'BEGIN{RS="";ORS="\n\n"} /(^|\n)Types:[^\n]*deb/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >> "$out.sources"
done
for f in /etc/apt/sources.list.d/*.list; do
  [ -e "$f" ] || continue
  case "$f" in "$out"*) continue ;; esac
  sed -n 's/^deb /deb-src /p' "$f" >> "$out.list"
done
apt-get update -qq
