#!/usr/bin/env bash
# Turns the screen captures (PPM) that the end-to-end tests leave in a folder (LUMI_SHOTS, by
# default <build>/tests/e2e/shots) into PNG files beside them, for viewing or attaching.
# Usage: shots-to-png.sh FOLDER
set -eu
folder=${1:?usage: shots-to-png.sh FOLDER}
shopt -s nullglob
for shot in "$folder"/*.ppm; do
  convert "$shot" "${shot%.ppm}.png"
  echo "${shot%.ppm}.png"
done
