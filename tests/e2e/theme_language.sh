# German with theme 1 ("Laser red"): the panel titles change with the language, and the
# title bars take the theme's colour.
source "$(dirname "$0")/common.bash"
shoot() {
    printf '%s' "$1" > "$INST/sett.json"
    start_editor
    wait_window
    wait_started
    sleep 1
    screenshot "$2"
    press Escape
    wait_exit 20
}
shoot '{"language":"0","theme":"0"}' "$INST/en.png"
shoot '{"language":"1","theme":"1"}' "$INST/de.png"
cp "$INST/de.png" "$BUILD_DIR/e2e_theme_language.png"
# The scene window's title text (top left panel) reads differently.
a=$(convert "$INST/en.png" -crop 80x14+4+46 +repage -colorspace Gray -format '%#' info:)
b=$(convert "$INST/de.png" -crop 80x14+4+46 +repage -colorspace Gray -format '%#' info:)
[ "$a" != "$b" ] || fail "the panel title did not change with the language"
# An unfocused title bar, away from its text: red, no green or blue.
read -r r g bl <<<"$(convert "$INST/de.png" -crop 1x1+200+44 -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:)"
[ "$r" -ge $((g + 10)) ] && [ "$r" -ge $((bl + 10)) ] || fail "title bar is not the theme's red: $r $g $bl"
grep -q '"theme":"1"' "$INST/sett.json" || fail "theme not kept"
grep -q '"language":"1"' "$INST/sett.json" || fail "language not kept"
echo "theme_language: ok"
