#!/bin/sh
# Renders the same show frames with two builds of orvane and compares them
# pixel by pixel: a drawing change that is meant to keep the pictures must
# give zero differing pixels at every time.
#   bench/same_frames.sh OLD_ORVANE NEW_ORVANE OUT_DIR [TIMES] [SIZE] [FPS]
# Run from a folder holding data/ (the build folder). TIMES are show seconds
# (comma-separated); the defaults cover the scenes whose drawing was reworked
# and one time in each other scene. Needs xvfb-run and ImageMagick's compare.
# Prints one line per time: the count of differing pixels (AE) and the
# largest channel difference; exits 1 when any frame differs or is missing.
set -u
old=$1
new=$2
out=$3
times=${4:-1,3,5.5,10,20,27,34,40,63,75,90,96,101,115,130,150,170,186,200,216,222,228.5}
size=${5:-800x600}
fps=${6:-20}

render() {
    mkdir -p "$2"
    SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" "$1" --play --windowed --no-music \
        --size "$size" --fixed-fps "$fps" --frames-at "$times" --frames-dir "$2" >"$2/run.log" 2>&1
}

render "$old" "$out/old" &
render "$new" "$out/new"
wait

status=0
for a in "$out"/old/frame_*.png; do
    name=$(basename "$a")
    b="$out/new/$name"
    if [ ! -f "$b" ]; then
        echo "$name: missing in the new run"
        status=1
        continue
    fi
    # AE: pixels that differ at all; the peak of the difference image gives
    # the largest channel difference (0..255).
    ae=$(compare -metric AE "$a" "$b" "$out/diff_$name" 2>&1)
    peak=$(convert "$a" "$b" -compose difference -composite -format "%[fx:round(maxima*255)]" info:)
    echo "$name: $ae differing pixels, largest channel difference $peak"
    [ "$ae" = "0" ] || status=1
done
exit $status
