#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The layers include only downwards (docs/architecture.md):
#   core/text < core (notices, version) < core/storage < core/outline < core/layout
#   < core/{settings,search,count,batchout} < core/manuscript
#   and no file of the GUI but the main window's own reaches back up to it (app/desktop puts it
#   together); the pages (Qt Gui drawing for the PDF and its preview) use the core alone, so that a
#   headless run needs no widgets.
# Prints every include against that and exits 1 when there is one.
set -uo pipefail
src="${1:-$(dirname "$0")/../../src}"
rank() {
    case "$1" in
        text) echo 0 ;;
        base) echo 1 ;;
        storage) echo 2 ;;
        outline) echo 3 ;;
        layout) echo 4 ;;
        settings | search | count | batchout) echo 5 ;;
        manuscript) echo 6 ;;
        *) echo 9 ;;
    esac
}
folder_of() {  # core/<folder>/x.h -> folder; core/x.h -> base
    local rel="${1#core/}"
    [[ "$rel" == */* ]] && echo "${rel%%/*}" || echo base
}
bad=0
while IFS= read -r line; do
    file="${line%%:*}"
    target="$(sed -n 's/.*#include "\(core\/[^"]*\)".*/\1/p' <<<"$line")"
    from="$(folder_of "${file#"$src"/}")"
    to="$(folder_of "$target")"
    [[ "$from" == "$to" ]] && continue
    if (($(rank "$to") >= $(rank "$from"))); then
        echo "layering: ${file#"$src"/} includes $target"
        bad=1
    fi
done < <(grep -rn '#include "core/' "$src/core")
while IFS= read -r file; do
    echo "layering: ${file#"$src"/} includes the main window"
    bad=1
done < <(grep -rl '#include "gui/window/main_window.h"' "$src/gui" | grep -v "^$src/gui/window/main_window\.cpp$")
while IFS= read -r line; do
    echo "layering: ${line#"$src"/}"
    bad=1
done < <(grep -rn '#include "\(gui\|app\)/\|#include <QtWidgets\|#include <QWidget\|#include <QApplication' "$src/pages")
exit "$bad"
