# The generator's three command-line modes through the real executable, without a window:
# generate a frame and a PNG, re-render the frame larger, merge frames into a video.
source "$(dirname "$0")/common.bash"
cd "$INST"
convert -size 48x32 gradient:red-blue in.png || fail "cannot make the input picture"
run() { "$INST/rux" "$@" >"$INST/out.log" 2>&1; }

run -G -I in.png -O out -PNG -TYU -S 20 -AE 30 -AG 2 --seed 7 || fail "generate: $(tail -n 5 out.log)"
[ -s out.png ] && [ -s out.tyu ] || fail "generate wrote no files"
[ "$(head -c 6 out.tyu)" = "TYU002" ] || fail "out.tyu is not a frame"
grep -q "Finished in " out.log || fail "no closing line"

run -R -I out.tyu -O big -P 200 100 || fail "re-render: $(tail -n 5 out.log)"
[ "$(identify -format '%wx%h' big.png)" = "200x100" ] || fail "re-rendered size"

printf 'out.tyu\nmissing.tyu\nout.tyu\n' > sheet.txt
run -M -I sheet.txt -O clip -C 3 || fail "merge: $(tail -n 5 out.log)"
[ "$(head -c 6 clip.tyv)" = "TYV002" ] || fail "clip.tyv is not a video"
count=$(od -An -tu2 -j10 -N2 clip.tyv | tr -d ' ')
[ "$count" = "2" ] || fail "video counts $count frames, 2 were written"

run -G -I in.png -O out2 -S 5 && fail "generate without an export format succeeded"
grep -q "Export file format not specified." out.log || fail "no export-format message"
[ ! -e pdo.pdo ] || fail "tool mode created pdo.pdo"
echo "tessly_modes: ok"
