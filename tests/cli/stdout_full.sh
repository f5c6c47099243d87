#!/bin/sh
# The standard output on a full disk (/dev/full): every command that writes to
# it fails with exit status 1 and the reason, although the error shows only
# when the program's last buffered text is written.
cli=${1:?path to vertano-cli}
data=${2:?tests/data}
[ -c /dev/full ] || exit 77
err=$(mktemp)
trap 'rm -f "$err"' EXIT
fail=0
for args in "approx $data/cli/net.mtx --points $data/cli/points.txt" \
    "check $data/cli/net.mtx --points $data/cli/points.txt" \
    "adjust $data/cli/net.mtx --points $data/cli/points.txt" "--help"; do
    # shellcheck disable=SC2086
    "$cli" $args >/dev/full 2>"$err"
    status=$?
    if [ "$status" -ne 1 ]; then
        echo "exit status $status with a full standard output: $args"
        fail=1
    fi
    if ! grep -q "No space left on device" "$err"; then
        echo "no reason given: $args"
        cat "$err"
        fail=1
    fi
done
exit $fail
