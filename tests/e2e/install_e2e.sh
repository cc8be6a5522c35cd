# The installed game: `cmake --install` into a fresh prefix, started from / with
# a fresh home and nothing set, finds its data beside its own install and saves
# in ~/.local/share/pesko; the desktop file, metainfo and man page are valid.
source "$(dirname "$0")/lib.sh"
e2e_setup "$@"
build=$(dirname "$(readlink -f "$1")")
prefix=$E2E_WORK/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"

for f in games/pesko share/games/pesko/{data.dat,game_font.pcx,gamelogo.avi,patches.dat} \
    share/applications/pesko.desktop share/metainfo/org.pesko.Pesko.metainfo.xml share/man/man6/pesko.6.gz \
    share/doc/pesko/{README.md,copyright} share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/pesko.png; do
    [[ -s "$prefix/$f" ]] || e2e_fail "not installed: $f"
done
for size in 16 32 48 64 128 256; do
    [[ "$(identify -format %wx%h "$prefix/share/icons/hicolor/${size}x$size/apps/pesko.png")" == "${size}x$size" ]] ||
        e2e_fail "icon $size is not ${size}x$size"
done
desktop-file-validate "$prefix/share/applications/pesko.desktop" || e2e_fail "desktop file"
appstreamcli validate --no-net "$prefix/share/metainfo/org.pesko.Pesko.metainfo.xml" >/dev/null || e2e_fail "metainfo"
man -l "$prefix/share/man/man6/pesko.6.gz" 2>&1 >/dev/null | grep . && e2e_fail "man page warnings"
man -l "$prefix/share/man/man6/pesko.6.gz" | grep -q -- '--save-dir' || e2e_fail "man page does not render"

# The installed binary, from /, with a fresh home and no folder named for it.
home=$E2E_WORK/home
mkdir -p "$home"
printf 'pcm.!default { type null }\n' >"$home/.asoundrc"
unset PESKO_SAVE_DIR
E2E_PESKO=$prefix/games/pesko
(cd / && HOME=$home "$E2E_PESKO" >"$E2E_WORK/out.txt" 2>&1; echo $? >"$E2E_WORK/exit_code") &
for i in $(seq 100); do
    xdotool search --name '^Pesko$' >/dev/null 2>&1 && break
    [[ -e "$E2E_WORK/exit_code" ]] && e2e_fail "the installed game ended at start: $(cat "$E2E_WORK/out.txt")"
    sleep 0.1
done
sleep 1
e2e_press space
saves=$home/.local/share/pesko
for i in $(seq 150); do [[ -e "$saves/hiscore.dat" ]] && break; sleep 0.1; done
[[ "$(xxd -p "$saves/config.dat")" == "000000007f0000007f000000" ]] || e2e_fail "config.dat in the home: $(xxd -p "$saves/config.dat" 2>&1)"
[[ "$(stat -c %a "$saves")" == 700 ]] || e2e_fail "the save folder is not private"
[[ ! -e /config.dat && ! -e /hiscore.dat ]] || e2e_fail "the game wrote into /"
sleep 1
shot=$(e2e_shot installed_menu.png)
(($(e2e_count_colour "$shot" 200 140 240 60 FF0000) > 50)) || e2e_fail "the menu did not show"
e2e_quit_from_menu
echo "install e2e passed"
