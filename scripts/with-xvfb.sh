#!/usr/bin/env bash
# with-xvfb.sh DEPTH [--size WxH] COMMAND...: runs COMMAND with DISPLAY set to
# a private Xvfb of 1024x768 (or WxH) at DEPTH bits. Xvfb picks a free display
# number itself and reports it once it accepts connections (-displayfd), so two
# runs never collide and nobody waits on a fixed sleep. Only the Xvfb started here is ended.
set -euo pipefail
depth=$1; shift
size=1024x768
if [ "${1:-}" = --size ]; then
    size=$2
    shift 2
fi
fifo=$(mktemp -u /tmp/tintwell-xvfb.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 9 -screen 0 "${size}x$depth" -nolisten tcp 9>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
if ! read -r -t 30 number <"$fifo"; then
    echo "with-xvfb: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$number"
set +e
"$@"
rc=$?
exit $rc
