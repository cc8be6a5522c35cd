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
E2E_HOME=$E2E_WORK/home E2E_RUN_DIR=/ E2E_PESKO=$prefix/games/pesko
mkdir -p "$E2E_HOME"
printf 'pcm.!default { type null }\n' >"$E2E_HOME/.asoundrc"
unset PESKO_SAVE_DIR
e2e_start
e2e_skip_intro
saves=$E2E_HOME/.local/share/pesko
[[ "$(xxd -p "$saves/config.dat")" == 000000007f0000007f000000 ]] || e2e_fail "config.dat in the home: $(xxd -p "$saves/config.dat" 2>&1)"
[[ -s "$saves/hiscore.dat" ]] || e2e_fail "no hiscore.dat in the home"
[[ "$(stat -c %a "$saves")" == 700 ]] || e2e_fail "the save folder is not private"
[[ ! -e /config.dat && ! -e /hiscore.dat ]] || e2e_fail "the game wrote into /"
e2e_quit_from_menu
echo "install e2e passed"
