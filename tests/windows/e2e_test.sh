#!/usr/bin/env bash
# End-to-end tests of the Windows program under Wine, as a user meets it.
# Wine's windows are invisible to the accessibility bus: titles are read
# with xdotool, keys typed with it, the setting read with `wine reg`.
# Usage: e2e_test.sh CASE BUILD_DIR
#   first_start   a new user is asked for the language; English is stored
#   second_start  the stored language is used without asking
#   quiz          the first quiz taken to its result dialog
#   install       silent install, the installed program run from another
#                 folder, silent uninstall leaving no files
#   setup_language  the setup greets a Chinese system in Chinese, another
#                 one in English; so does the checker, and English in JSON
#   authoring     started with a quiz file (blanks and Chinese in its name),
#                 the window follows its saves: new text, a broken save's
#                 problem, the mended file
#   editor        a new quiz written with the keyboard alone, saved, started
#                 again with it and played to its end
# Needs DISPLAY and WINEPREFIX (tools/windows.sh sets both up).
set -euo pipefail
CASE=$1
BUILD=$(cd "$2" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows/wine.sh"
: "${WINEPREFIX:?run through tools/windows.sh, or set WINEPREFIX}"

SETTINGS_KEY='HKCU\Software\Larkspan\Mindprism'
SHOTS=$BUILD/e2e-screens
mkdir -p "$SHOTS"
PROGRAM_PID=

fail() {
    echo "FAIL: $*" >&2
    import -window root "$SHOTS/$CASE-failure.png" 2>/dev/null || true
    exit 1
}

cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
}
trap cleanup EXIT

# find_window REGEX [SECONDS]: the id of a visible window whose title
# matches, waiting for it up to SECONDS (default 90: a loaded machine starts
# Wine slowly); fails when none comes.
find_window() {
    local id
    id=$(timeout "${2:-90}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null |
         head -n 1) || true
    [ -n "$id" ] || fail "no window titled like '$1'"
    echo "$id"
}

# window_gone REGEX: true when no visible window's title matches.
window_gone() {
    ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

# start_program [EXE] [FOLDER]: starts the program (by default the build's)
# from FOLDER (by default the build folder).
start_program() {
    local exe=${1:-$BUILD/mindprism.exe} folder=${2:-$BUILD}
    (cd "$folder" && exec wine "$exe" >/dev/null 2>&1) &
    PROGRAM_PID=$!
}

# wait_exit: waits for the program to end (up to a minute).
wait_exit() {
    local waited=0
    while kill -0 "$PROGRAM_PID" 2>/dev/null; do
        [ $waited -lt 600 ] || fail "the program did not end"
        sleep 0.1
        waited=$((waited + 1))
    done
    PROGRAM_PID=
}

close_window() {
    xdotool key --window "$1" alt+F4
}

setting() {
    wine reg query "$SETTINGS_KEY" /v ui_language 2>/dev/null | tr -d '\r' |
        awk '$1 == "ui_language" { print $3 }'
}

# take_quiz WINDOW: Next until the result dialog shows; answers are the
# preselected first ones. Leaves the dialog open and prints its id. Wine
# takes no Alt key sent to a window, so Next is clicked once (where the
# layout puts it at 96 DPI), and then pressed with the space bar, since it
# keeps the focus.
take_quiz() {
    local main=$1 step id
    xdotool mousemove --window "$main" 220 318 click 1
    for step in $(seq 1 30); do
        # Each press either shows the next question or the result.
        if id=$(timeout 5 xdotool search --sync --onlyvisible --name '^Result$' 2>/dev/null |
                head -n 1) && [ -n "$id" ]; then
            echo "$id"
            return
        fi
        xdotool key --window "$main" space 2>/dev/null
    done
    fail "no result dialog after 30 answers"
}

# close_result DIALOG: clicks its OK button (bottom right) and waits for the
# dialog to go. Keys sent to it would reach the window Wine thinks has the
# focus, which is still the main window.
close_result() {
    local WIDTH HEIGHT waited=0
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --window "$1" $((WIDTH - 41)) $((HEIGHT - 14)) click 1
    until window_gone '^Result$'; do
        [ $waited -lt 300 ] || fail "the result dialog did not close"
        sleep 0.1
        waited=$((waited + 1))
    done
}

# quiz_to_result [SCREENSHOT]: in the started program, takes the first quiz
# to its result dialog (saved as SCREENSHOT if given), closes it and quits.
quiz_to_result() {
    local main result
    main=$(find_window '^Mind Prism - ')
    result=$(take_quiz "$main")
    [ -z "${1:-}" ] || import -window "$result" "$1"
    close_result "$result"
    close_window "$main"
    wait_exit
}

case_first_start() {
    wine reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true
    start_program
    local choice main
    choice=$(find_window '^Language selection$')
    import -window "$choice" "$SHOTS/first-start-language.png"
    # Rows: the system language, Chinese (Simplified), English. A dialog
    # that has just come up under a loaded Wine may miss the keys; they are
    # sent again while it stays (English is the last row: more Downs keep it).
    local tries=0
    while :; do
        xdotool key --window "$choice" Down Down Return
        main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Mind Prism - ' 2>/dev/null |
               head -n 1) || true
        [ -z "$main" ] || break
        tries=$((tries + 1))
        [ $tries -lt 4 ] || fail "the language choice took no keys"
    done
    [ "$(setting)" = "en" ] || fail "ui_language is '$(setting)', not 'en'"
    close_window "$main"
    wait_exit
}

case_second_start() {
    [ "$(setting)" = "en" ] || wine reg add "$SETTINGS_KEY" /v ui_language /d en /f >/dev/null
    start_program
    local main
    main=$(find_window '^Mind Prism - ')
    window_gone '^Language selection$' || fail "the language was asked for again"
    import -window "$main" "$SHOTS/second-start.png"
    echo "title: $(xdotool getwindowname "$main")"
    close_window "$main"
    wait_exit
}

case_quiz() {
    wine reg add "$SETTINGS_KEY" /v ui_language /d en /f >/dev/null
    start_program
    quiz_to_result "$SHOTS/quiz-result.png"
}

case_install() {
    local setup installed="$WINEPREFIX/drive_c/Program Files/Mind Prism"
    local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Mind Prism"
    local uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MindPrism'
    setup=$(ls "$BUILD"/Mind-Prism-*-setup.exe | head -n 1)
    [ -f "$setup" ] || fail "no installer in $BUILD"
    wine reg add "$SETTINGS_KEY" /v ui_language /d en /f >/dev/null

    wine "$setup" /S
    wineserver -w
    for file in bin/mindprism.exe bin/mindprism-check.exe Uninstall.exe \
                share/mindprism/img/Mindprism_01.ico \
                share/mindprism/locales/zh_CN/LC_MESSAGES/Mindprism.mo \
                share/mindprism/locales/zh_CN/LC_MESSAGES/wxstd.mo; do
        [ -f "$installed/$file" ] || fail "not installed: $file"
    done
    # Every shipped quiz file, each language edition.
    for file in "$(dirname "${BASH_SOURCE[0]}")"/../../data/*.xml; do
        [ -f "$installed/share/mindprism/data/${file##*/}" ] || fail "not installed: data/${file##*/}"
    done
    [ -f "$menu/Mind Prism.lnk" ] || fail "no Start-menu entry"
    wine reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 ||
        fail "not registered with the installed programs"

    # From a folder that holds none of its files: the quiz must still load,
    # or Next never reaches a result.
    local elsewhere
    elsewhere=$(mktemp -d)
    start_program 'C:\Program Files\Mind Prism\bin\mindprism.exe' "$elsewhere"
    quiz_to_result
    rmdir "$elsewhere"

    # The uninstaller copies itself away and returns at once: wait for Wine.
    wine "$installed/Uninstall.exe" /S
    wineserver -w
    [ ! -e "$installed" ] || fail "left behind: $(cd "$installed" && find . | head -n 20)"
    [ ! -e "$menu" ] || fail "the Start-menu entry is left"
    ! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "still listed as installed"
    [ "$(setting)" = "en" ] || fail "the uninstaller removed the user's setting"
}

case_setup_language() {
    local setup locales system title window
    setup=$(ls "$BUILD"/Mind-Prism-*-setup.exe | head -n 1)
    [ -f "$setup" ] || fail "no installer in $BUILD"
    # Wine takes the system's language from the Unix locale; a Chinese one
    # is made for this run (LOCPATH), the machine may have none.
    locales=$(mktemp -d)
    localedef -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8" >/dev/null 2>&1 || true
    [ -f "$locales/zh_CN.UTF-8/LC_CTYPE" ] || fail "cannot make the zh_CN.UTF-8 locale (Debian's locales)"
    # The window title is the language's own caption with the product's name
    # in that language.
    for system in "zh_CN.UTF-8=心灵棱镜 安装" "C.UTF-8=Mind Prism Setup"; do
        (exec env LOCPATH="$locales" LANG="${system%%=*}" LC_ALL="${system%%=*}" \
             wine "$setup" >/dev/null 2>&1) &
        PROGRAM_PID=$!
        title=${system#*=}
        window=$(find_window "^$title\$")
        import -window "$window" "$SHOTS/setup-${system%%.*}.png"
        kill "$PROGRAM_PID"
        wait_exit
    done
    # The checker speaks the system's language as well, and English to scripts.
    local quiz said
    quiz=$(mktemp -d)/quiz.xml
    printf '<questions><QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>9</GOTO></ANSWER></QUESTION></questions>' >"$quiz"
    for system in "zh_CN.UTF-8=: 错误: 题目 “1001”：GOTO “9” 指向的题目不存在 [unknown-target]" \
                  "C.UTF-8=: error: question \"1001\": GOTO \"9\" names no question [unknown-target]"; do
        said=$(env LOCPATH="$locales" LANG="${system%%=*}" LC_ALL="${system%%=*}" \
                   wine "$BUILD/mindprism-check.exe" "$(winepath -w "$quiz")" 2>/dev/null | tr -d '\r') || true
        [[ "$said" == *"${system#*=}"* ]] || fail "the checker on a ${system%%.*} system said: $said"
        said=$(env LOCPATH="$locales" LANG="${system%%=*}" LC_ALL="${system%%=*}" \
                   wine "$BUILD/mindprism-check.exe" --json "$(winepath -w "$quiz")" 2>/dev/null | tr -d '\r') || true
        [[ "$said" == *'names no question'* ]] || fail "the checker's JSON is not English: $said"
    done
    rm -rf "$locales" "$(dirname "$quiz")"
}

# probe: the main window's child windows, one per line: class, visible
# (0/1), text (tests/windows/window_probe.cpp).
probe() {
    wine "$BUILD/tests/windows/window_probe.exe" 'Mind Prism - ' 2>/dev/null | tr -d '\r'
}

# question_text: the text of the question box (the one edit box).
question_text() {
    probe | awk -F'\t' 'tolower($1) == "edit" { print $3; exit }'
}

# problems_shown: true while the Problems pane is on screen.
problems_shown() {
    probe | awk -F'\t' '$3 == "Problems" && $2 == 1 { found = 1 } END { exit !found }'
}

# wait_until WHAT COMMAND...: runs COMMAND until it succeeds, for up to a
# minute; fails naming WHAT.
wait_until() {
    local what=$1 waited=0
    shift
    until "$@"; do
        [ $waited -lt 300 ] || fail "timed out waiting for $what"
        sleep 0.2
        waited=$((waited + 1))
    done
}

question_is() {
    [ "$(question_text)" = "$1" ]
}

# quiz_file SECOND_TEXT: a quiz of two questions without problems.
quiz_file() {
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<questions>\n'
    printf '<QUESTION><ID>1001</ID><Q>Where do you start?</Q>'
    printf '<ANSWER><A>Here</A><GOTO>1002</GOTO></ANSWER></QUESTION>\n'
    printf '<QUESTION><ID>1002</ID><Q>%s</Q>' "$1"
    printf '<ANSWER><A>Done</A><GOTO>0</GOTO></ANSWER></QUESTION>\n</questions>\n'
}

# save_by_rename FILE: stdin written to a new file renamed over FILE, as
# editors save.
save_by_rename() {
    cat >"$1.tmp"
    mv -f "$1.tmp" "$1"
}

case_authoring() {
    wine reg add "$SETTINGS_KEY" /v ui_language /d en /f >/dev/null
    local folder quiz main
    folder=$(mktemp -d)
    quiz="$folder/我的 quiz 草稿.xml"
    quiz_file 'What comes next?' | save_by_rename "$quiz"
    # Wine hands the arguments over in the locale's encoding.
    (cd "$BUILD" && LC_ALL=C.UTF-8 exec wine "$BUILD/mindprism.exe" "$(winepath -w "$quiz")" \
        >/dev/null 2>&1) &
    PROGRAM_PID=$!
    main=$(find_window '^Mind Prism - 我的 quiz 草稿\.xml$')
    wait_until "the first question" question_is 'Where do you start?'
    xdotool mousemove --window "$main" 220 318 click 1
    wait_until "the second question" question_is 'What comes next?'

    quiz_file 'What comes after the edit?' | save_by_rename "$quiz"
    wait_until "the new text" question_is 'What comes after the edit?'

    printf '<questions><QUESTION><ID>1001</ID>' | save_by_rename "$quiz"
    wait_until "the Problems pane" problems_shown
    question_is 'What comes after the edit?' || fail "a broken save changed the quiz on screen"
    import -window "$main" "$SHOTS/authoring-problem.png"

    quiz_file 'Mended.' | save_by_rename "$quiz"
    wait_until "the mended quiz" question_is 'Mended.'
    wait_until "the Problems pane to close" eval '! problems_shown'
    close_window "$main"
    wait_exit
    rm -rf "$folder"
}

# keys KEY...: typed as the keyboard would (XTEST), to the window that has
# the focus; Wine takes modifiers only so.
keys() {
    local key
    for key in "$@"; do
        xdotool key --delay 80 "$key"
        sleep 0.3
    done
}

typed() {
    xdotool type --delay 40 "$1"
    sleep 0.3
}

# editor_shows TEXT: true when the quiz on screen and the editor's field
# both show TEXT.
editor_shows() {
    [ "$(probe | awk -F'\t' -v text="$1" 'tolower($1) == "edit" && $2 == 1 && $3 == text' | wc -l)" -ge 2 ]
}

case_editor() {
    wine reg add "$SETTINGS_KEY" /v ui_language /d en /f >/dev/null
    local folder main
    folder=$(mktemp -d)
    start_program
    main=$(find_window '^Mind Prism - ')
    # The pointer gives the window the focus: there is no window manager.
    xdotool mousemove --window "$main" 100 100 click 1
    keys ctrl+n
    main=$(find_window '^Mind Prism - Untitled quiz$')
    wait_until "the editor" editor_shows 'New question'
    # Wine takes no Alt key from xdotool: the fields are reached with Tab,
    # from the outline, which has the focus. 1001: its text, its first answer.
    keys Tab Tab ctrl+a
    typed 'Ready?'
    # The answers, Add, Remove, Move down (Move up is off), the answer's text.
    keys Tab Tab Tab Tab Tab ctrl+a
    typed 'Yes'
    keys Return
    wait_until "the new text played" question_is 'Ready?'
    # The target, then Add question: the new question's text has the focus.
    keys Tab Tab space
    typed 'Sure?'
    # Two answers, the first selected: Move up is off, Move down on.
    keys Tab Tab Tab Tab Tab ctrl+a
    typed 'Quite sure'
    keys Return
    # Back to the outline and 1001; its first answer leads on to 1002 (the
    # choice lists the end, 1001, 1002).
    keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Home
    keys Tab Tab Tab Tab Tab Tab Tab Tab Down Down
    import -window "$main" "$SHOTS/editor.png"
    keys ctrl+s
    find_window '^Save quiz as$' 30 >/dev/null
    keys ctrl+a
    typed "$(winepath -w "$folder/mine.xml")"
    keys Return
    main=$(find_window '^Mind Prism - mine\.xml$' 30)
    grep -q '<GOTO>1002</GOTO>' "$folder/mine.xml" || fail "the answer does not lead to 1002: $(cat "$folder/mine.xml")"
    grep -q 'Quite sure' "$folder/mine.xml" || fail "the second question was not saved"
    close_window "$main"
    wait_exit

    (cd "$BUILD" && exec wine "$BUILD/mindprism.exe" "$(winepath -w "$folder/mine.xml")" >/dev/null 2>&1) &
    PROGRAM_PID=$!
    main=$(find_window '^Mind Prism - mine\.xml$')
    wait_until "the first question" question_is 'Ready?'
    xdotool mousemove --window "$main" 220 318 click 1
    wait_until "the second question" question_is 'Sure?'
    xdotool key --window "$main" space
    find_window '^Result$' 30 >/dev/null
    close_window "$main"
    rm -rf "$folder"
}

"case_$CASE"
echo "$CASE: passed"
