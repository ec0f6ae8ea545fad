#!/usr/bin/env bash
# Turns the BMP screen captures that the end-to-end tests leave in a folder (LUMI_SHOTS, by
# default <build>/tests/e2e/shots) into PNG files beside them, for viewing or attaching.
# Usage: shots-to-png.sh FOLDER
set -eu
folder=${1:?usage: shots-to-png.sh FOLDER}
shopt -s nullglob
for bmp in "$folder"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  echo "${bmp%.bmp}.png"
done
