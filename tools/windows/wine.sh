# Wine for the Windows tests: a prefix of its own, quiet, with a Chinese
# font. Sourced by tools/windows.sh and the end-to-end tests; not run.

# No network here: a fresh prefix must not offer to download Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64

# make_wine_prefix DIR: a new prefix in DIR, ready for the program.
make_wine_prefix() {
    export WINEPREFIX=$1
    mkdir -p "$WINEPREFIX"
    wine wineboot --init >/dev/null 2>&1
    wineserver -w
    # Wine has no Chinese font of its own. The font file alone is not
    # enough: the dialog fonts must be replaced by it, or Chinese text
    # shows as boxes.
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
    local reg=$WINEPREFIX/drive_c/chinese-font.reg face
    {
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Microsoft Sans Serif" \
                    "MS Sans Serif" "SimSun" "NSimSun" "Microsoft YaHei" "Arial" "Times New Roman"; do
            printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
        done
    } >"$reg"
    wine regedit /S 'C:\chinese-font.reg' >/dev/null 2>&1
    wineserver -w
}
