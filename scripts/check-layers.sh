#!/bin/sh
# Fails when a folder includes one above it (or one beside it on its level).
#
#   scripts/check-layers.sh [ROOT]
#
# The order of the folders is the "layers" block of ROOT/README.md: one level
# per line, lowest first; the folders on one line are one level and may not
# include each other. A folder is src/NAME, or NAME at the top (the front
# ends). Every folder of src/ must be in the list, and the libraries of
# ROOT/CMakeLists.txt must be declared in the same order.
set -eu
root=${1:-$(dirname "$0")/..}
cd "$root"

layers=$(awk '/^```layers/ { on = 1; next } on && /^```/ { exit } on' README.md)
if [ -z "$layers" ]; then
    echo "README.md has no \"layers\" block" >&2
    exit 2
fi

# "folder level" pairs, lowest level 1.
levels=$(printf '%s\n' "$layers" | awk '{ for (i = 1; i <= NF; ++i) print $i, NR }')

status=0
for dir in src/*/; do
    [ -d "$dir" ] || continue
    name=$(basename "$dir")
    if ! printf '%s\n' "$levels" | grep -q "^$name "; then
        echo "src/$name is not in the layers of README.md" >&2
        status=1
    fi
done

if [ -f CMakeLists.txt ]; then
    declared=$(sed -n 's/^vertano_library(\([a-z_]*\).*/\1/p' CMakeLists.txt | tr '\n' ' ')
    listed=""
    for name in $(printf '%s\n' "$levels" | cut -d' ' -f1); do
        case " $declared " in *" $name "*) listed="$listed$name " ;; esac
    done
    if [ "$declared" != "$listed" ]; then
        echo "CMakeLists.txt declares the libraries as: $declared" >&2
        echo "README.md orders them as:                $listed" >&2
        status=1
    fi
fi

printf '%s\n' "$levels" | while read -r name level; do
    if [ -d "src/$name" ]; then
        path="src/$name"
    elif [ -d "$name" ]; then
        path="$name"
    else
        continue  # not written yet
    fi
    find "$path" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' \) | sort |
        while read -r file; do
            sed -n '=;s/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z_]*\)\/\([^"]*\)".*/\1 \2/p' \
                "$file" | LEVELS=$levels awk -v file="$file" -v self="$name" -v level="$level" '
                BEGIN {
                    n = split(ENVIRON["LEVELS"], pairs, "\n")
                    for (i = 1; i <= n; ++i) { split(pairs[i], p, " "); at[p[1]] = p[2] }
                }
                /^[0-9]+$/ { line = $0; next }
                {
                    target = $1
                    if (!(target in at) || target == self) next
                    if (at[target] > level) {
                        printf "%s:%d: includes \"%s/%s\", a folder above %s\n", file, line, target, $2, self
                    } else if (at[target] == level) {
                        printf "%s:%d: includes \"%s/%s\", a folder beside %s\n", file, line, target, $2, self
                    }
                }'
        done
done | grep . >&2 && status=1

exit $status
