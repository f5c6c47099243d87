#!/bin/sh
# The epoch file of a simulated grid network: `vertano-cli adjust` with and
# without --epoch, its processor time, its peak memory (the resident set's
# high-water mark, /usr/bin/time -v) and the size of the file.
#   bench/epoch_size.sh build/cli/vertano-cli 3000 [folder]
cli=${1:?path to vertano-cli}
points=${2:?number of points}
dir=${3:-$(mktemp -d)}
mkdir -p "$dir"
"$cli" simulate --layout grid --points "$points" --seed 1 -o "$dir/net" >/dev/null || exit 1
run() {
    /usr/bin/time -f "%U %S %M" -o "$dir/time.txt" "$cli" adjust "$dir/net.mtx" \
        --points "$dir/net-given.txt" --yes "$@" >/dev/null 2>"$dir/err.txt" || {
        cat "$dir/err.txt"
        exit 1
    }
    read -r user sys kb <"$dir/time.txt"
    echo "$points points $*: processor $(echo "$user + $sys" | bc) s, peak $((kb / 1024)) MB"
}
run
run --epoch "$dir/net.epc" --large-epoch
echo "epoch file: $(($(stat -c %s "$dir/net.epc") / 1048576)) MB"
rm -f "$dir/net.epc"
