#!/usr/bin/env bash
# Fails when a file includes a project header from a folder its tier may not use.
set -u
root=${1:-.}
cd "$root" || exit 2
status=0

allowed() { # folder -> space-separated include prefixes it may use
    case "$1" in
    platform/base) echo "platform/base" ;;
    platform/gfx) echo "platform/base platform/gfx" ;;
    platform/display) echo "platform/base platform/gfx platform/display" ;;
    platform/system) echo "platform/base platform/gfx platform/display platform/system" ;;
    platform/framework) echo "platform/base platform/gfx platform/system platform/framework" ;;
    analysis) echo "platform/base analysis" ;;
    res) echo "platform/base platform/gfx platform/system platform/framework res" ;;
    controls | pages | app) echo "platform/base platform/gfx platform/system platform/framework res analysis controls pages app" ;;
    *) echo "" ;;
    esac
}

for folder in platform/base platform/gfx platform/display platform/system platform/framework analysis res controls pages app; do
    [ -d "$folder" ] || continue
    ok=$(allowed "$folder")
    while IFS= read -r file; do
        extra=""
        base=$(basename "$file")
        # The page fills write into the pages' lists; the program entry picks the backend.
        case "$folder/$base" in
        analysis/*Fill*) extra="platform/gfx platform/system platform/framework res controls pages" ;;
        app/main.cpp) extra="platform/display" ;;
        esac
        while IFS= read -r inc; do
            good=0
            for p in $ok $extra; do
                case "$inc" in "$p"/*) good=1 ;; esac
            done
            # Only project headers are checked: those that name a project folder.
            case "$inc" in
            platform/* | analysis/* | res/* | controls/* | pages/* | app/*) ;;
            *) good=1 ;;
            esac
            if [ $good -eq 0 ]; then
                echo "layering: $file includes $inc"
                status=1
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \))
done
[ $status -eq 0 ] && echo "layering: all includes point down"
exit $status
