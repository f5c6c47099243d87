#!/bin/sh
# Fails when a file includes a folder that its own folder does not build on.
#
#   scripts/check-layers.sh [ROOT]
#
# The graph of the folders is the "layers" block of ROOT/README.md: one line per
# folder, "NAME: the folders it builds on", lowest first. A folder may build only
# on folders of the lines before it, so the graph has no cycle. A folder may
# include its own files, those of the folders it builds on and everything those
# may include. A folder is src/NAME, or NAME at the top (the front ends); one
# that is not written yet is skipped. Every folder of src/ must be in the graph,
# and ROOT/CMakeLists.txt must declare each library with the folders it builds
# on: vertano_library(NAME DEPS vertano_A vertano_B ...) on one line (folders
# without a library left out).
set -eu
root=${1:-$(dirname "$0")/..}
cd "$root"

graph=$(awk '/^```layers/ { on = 1; next } on && /^```/ { exit } on' README.md)
if [ -z "$graph" ]; then
    echo "README.md has no \"layers\" block" >&2
    exit 2
fi

# One line per folder: "NAME|what it builds on|what it may include".
folders=$(printf '%s\n' "$graph" | awk '
    function add(name, dep) {
        if (index(" " reach[name] " ", " " dep " ") == 0) reach[name] = reach[name] " " dep
    }
    NF == 0 { next }
    {
        name = $1
        if (sub(/:$/, "", name) != 1 || name == "") {
            printf "README.md: layers line \"%s\" is not \"NAME: FOLDERS\"\n", $0 > "/dev/stderr"
            bad = 1
            next
        }
        if (name in seen) {
            printf "README.md: %s is in the layers block twice\n", name > "/dev/stderr"
            bad = 1
            next
        }
        seen[name] = 1
        order[++n] = name
        for (i = 2; i <= NF; ++i) {
            if (!($i in seen) || $i == name) {
                printf "README.md: %s builds on %s, which is not on a line before it\n", name, $i > "/dev/stderr"
                bad = 1
                continue
            }
            direct[name] = direct[name] " " $i
            add(name, $i)
            m = split(reach[$i], below, " ")
            for (k = 1; k <= m; ++k) add(name, below[k])
        }
    }
    END {
        for (i = 1; i <= n; ++i) printf "%s|%s|%s\n", order[i], direct[order[i]], reach[order[i]]
        exit bad
    }') || exit 1

status=0
for dir in src/*/; do
    [ -d "$dir" ] || continue
    name=$(basename "$dir")
    if ! printf '%s\n' "$folders" | grep -q "^$name|"; then
        echo "src/$name is not in the layers of README.md" >&2
        status=1
    fi
done

# The libraries: each declared once, with the folders it builds on as DEPS.
if [ -f CMakeLists.txt ]; then
    # "NAME|vertano_A vertano_B" per vertano_library line.
    libraries=$(awk '/^vertano_library\(/ {
        sub(/^vertano_library\(/, ""); sub(/\).*/, "")
        deps = ""
        for (i = 3; i <= NF; ++i) deps = deps " " $i
        print $1 "|" deps
    }' CMakeLists.txt)
    declared=" $(printf '%s\n' "$libraries" | cut -d'|' -f1 | tr '\n' ' ') "
    printf '%s\n' "$folders" | {
        bad=0
        while IFS='|' read -r name direct reach; do
            [ -d "src/$name" ] || continue
            case "$declared" in
                *" $name "*) ;;
                *) echo "CMakeLists.txt declares no library for src/$name" >&2; bad=1; continue ;;
            esac
            expected=""
            for dep in $direct; do
                case "$declared" in *" $dep "*) expected="$expected vertano_$dep" ;; esac
            done
            deps=$(printf '%s\n' "$libraries" | awk -F'|' -v n="$name" '$1 == n { print $2 }')
            if [ "$(echo $deps | tr ' ' '\n' | sort)" != "$(echo $expected | tr ' ' '\n' | sort)" ]; then
                echo "CMakeLists.txt: vertano_$name has DEPS \"$(echo $deps)\"; the graph of README.md gives \"$(echo $expected)\"" >&2
                bad=1
            fi
        done
        exit $bad
    } || status=1
fi

printf '%s\n' "$folders" | while IFS='|' read -r name direct reach; do
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
                "$file" | FOLDERS=$folders awk -v file="$file" -v self="$name" -v reach=" $reach " '
                BEGIN {
                    n = split(ENVIRON["FOLDERS"], lines, "\n")
                    for (i = 1; i <= n; ++i) {
                        split(lines[i], f, "|")
                        known[f[1]] = 1
                        under[f[1]] = " " f[3] " "
                    }
                }
                /^[0-9]+$/ { line = $0; next }
                {
                    target = $1
                    if (!(target in known) || target == self) next
                    if (index(reach, " " target " ") > 0) next
                    if (index(under[target], " " self " ") > 0) {
                        printf "%s:%d: includes \"%s/%s\", a folder above %s\n", file, line, target, $2, self
                    } else {
                        printf "%s:%d: includes \"%s/%s\", a folder %s does not build on\n", file, line, target, $2, self
                    }
                }'
        done
done | grep . >&2 && status=1

exit $status
