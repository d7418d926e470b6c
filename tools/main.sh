#!/usr/bin/env bash
# The main job on the embedded defaults (language files and SQLite): builds
# the optimised programs, then walks through the sample project:
#   1. the forms' component trees with their texts,
#   2. a localization template generated into a scratch copy,
#   3. every form's texts in each language, from the language files and
#      from the SQLite database,
#   4. the sample application on the desktop when there is one; otherwise
#      every form rendered in every language into PNG pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

bin=build/release/bin
sample=examples/sample
section() { printf '\n==== %s\n\n' "$*"; }

section "Component trees of the sample project"
"$bin/ambit" tree "$sample/Sample.amproj"

section "A template for German, generated into a scratch copy"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$sample"/Sample.amproj "$sample"/*.dfm "$work"/
"$bin/ambit" template "$work/Sample.amproj" --language German
head -n 12 "$work/German.lng"

for language in Original German Russian Arabic; do
  section "The forms in $language (language files)"
  "$bin/ambit" show "$sample/Sample.amproj" --language "$language"
done
section "The forms in Russian (SQLite database)"
"$bin/ambit" show "$sample/SampleDB.amproj" --language Russian

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  section "The sample application (close its main window to end)"
  "$bin/sample"
else
  section "No display: every sample form rendered in every language"
  "$bin/ambit" render "$sample/Sample.amproj" --out build/render
  echo "Pictures of every sample form in every language: $PWD/build/render/"
fi
