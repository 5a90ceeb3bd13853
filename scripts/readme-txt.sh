#!/usr/bin/env bash
# readme-txt.sh README.md: writes to stdout the user's part of the README as
# plain UTF-8 text with CRLF line ends (Notepad on older Windows shows a file
# with LF ends as one line): the introduction before the first section and the
# sections named below, in the README's order. Fails when one of them is
# missing, so that a renamed section cannot silently drop out of the release.
set -euo pipefail
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 README.md" >&2
    exit 2
fi
sections=("Download and run" "The settings file" "Licence")

for s in "${sections[@]}"; do
    if ! grep -qxF "## $s" "$1"; then
        echo "readme-txt: no section \"## $s\" in $1" >&2
        exit 1
    fi
done

# Headings become underlined text, code is indented; images and Markdown
# emphasis go. A byte order mark tells Notepad the text is UTF-8.
printf '\xef\xbb\xbf'
printf '%s\n' "${sections[@]}" | awk '
    NR == FNR { wanted["## " $0] = 1; next }
    /^## / { skip = !($0 in wanted) }
    skip || /^!\[/ { next }
    /^```/ { code = !code; next }
    code { print "    " $0; next }
    /^#+ / {
        title = $0; sub(/^#+ /, "", title)
        line = title; gsub(/./, (/^# / ? "=" : "-"), line)
        print title; print line; next
    }
    { gsub(/\*\*/, ""); gsub(/`/, ""); print }
' - "$1" | cat -s | sed 's/$/\r/'
