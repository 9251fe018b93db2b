# Drives the real classjournal executable in a private X server as a student would: typing into
# its prompts, clicking its buttons, reading its boxes through the clipboard. The Linux program
# and the Windows one under Wine are driven alike; only their start differs.
# Sourced by the end-to-end tests, scripts/screenshot.sh and the start-up benchmark. Needs Xvfb,
# xdotool, xclip and unshare, and Wine for a Windows program.
#
# Everything lives in one temporary folder: the home directory (drive c:), the class share
# (drive i:) and the X server's and the program's logs. The Linux program runs in a private mount
# namespace where /mnt holds nothing but that share, so it cannot touch the computer's own drives;
# the Windows program in a Wine prefix of its own, whose drive c: holds the data directory.
#
# The controls' places and the students' file names come from the program's own build:
# E2E_PRINT_CONTROLS and E2E_PRINT_FILE_NAMES name its print_controls and print_file_names.

set -euo pipefail

# No single wait may take longer than this; ctest's own timeout is only the last resort.
E2E_WAIT_SECONDS=${E2E_WAIT_SECONDS:-20}
E2E_SCREEN=${E2E_SCREEN:-1024x768x24}  # the private X server's screen

E2E_DIR=""
E2E_XVFB_PID=""
E2E_PROGRAM_PID=""
E2E_DIALOG=""   # the last prompt or message box seen
E2E_FORM=""     # the main window
E2E_WINE=0      # 1 for a Windows program
E2E_DRIVER_DIR=$(dirname "${BASH_SOURCE[0]}")

# Left, top, width and height in twips of each control and of the client area ("client_area");
# 15 twips make one pixel.
declare -A E2E_CONTROL=()

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# $1: the program to run, a Windows one if it ends in .exe. Makes the temporary folder, starts
# the X server and for a Windows program makes its prefix, reads the control table, cleans up
# on exit.
e2e_setup() {
    E2E_PROGRAM=$1
    [ -x "$E2E_PROGRAM" ] || e2e_fail "no program at $E2E_PROGRAM"
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/classjournal-e2e.XXXXXX")
    E2E_HOME=$E2E_DIR/home
    E2E_SHARE=$E2E_DIR/share
    E2E_DATA=$E2E_HOME/qorsdata
    mkdir -p "$E2E_HOME" "$E2E_SHARE" "$E2E_DIR/runtime"
    chmod 700 "$E2E_DIR/runtime"
    trap e2e_teardown EXIT
    trap 'exit 1' INT TERM
    e2e_start_x
    if [[ $E2E_PROGRAM == *.exe ]]; then
        E2E_WINE=1
        source "$E2E_DRIVER_DIR/../../scripts/wine_prefix.sh"
        wine_prefix_make "$E2E_DIR/wine"
        ln -s "$E2E_SHARE" "$WINEPREFIX/dosdevices/i:"
        E2E_DATA=$WINEPREFIX/drive_c/qorsdata
    fi
    if [ -n "${E2E_PRINT_CONTROLS:-}" ]; then
        local name place
        while read -r name place; do E2E_CONTROL[$name]=$place; done < <(e2e_tool "$E2E_PRINT_CONTROLS")
    fi
}

# $1: the status the test ended with, when the caller has already taken it.
e2e_teardown() {
    local status=${1:-$?}
    if ((E2E_WINE)); then wine_prefix_remove; fi
    e2e_stop "$E2E_PROGRAM_PID"
    e2e_stop "$E2E_XVFB_PID"
    if [ "$status" -ne 0 ] && [ -s "$E2E_DIR/program.err" ]; then
        echo "--- program's error output:" >&2
        cat "$E2E_DIR/program.err" >&2
    fi
    if [ -n "${E2E_KEEP:-}" ]; then
        echo "kept $E2E_DIR" >&2
    else
        rm -rf "$E2E_DIR"
    fi
}

e2e_stop() {
    local pid=$1
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Repeats a command until it succeeds or the wait runs out; $1 names what is awaited.
e2e_wait_for() {
    local what=$1 deadline=$((SECONDS + E2E_WAIT_SECONDS))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || e2e_fail "gave up waiting for $what"
        sleep 0.05
    done
}

e2e_start_x() {
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset \
        3>"$E2E_DIR/display" >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    e2e_wait_for "the X server" grep -q '^[0-9]' "$E2E_DIR/display"
    export DISPLAY=":$(head -n1 "$E2E_DIR/display")"
}

# Runs a tool of the program's build, as the program runs.
e2e_tool() {
    if ((E2E_WINE)); then
        "$WINE" "$@" | tr -d '\r'
    else
        "$@"
    fi
}

# The name, without its folder, the program gives one of Student One's files on a day (MM-DD-YYYY,
# today unless told). $1: master, send, notes, draft, outbox, inuse or unsent_of_day.
e2e_file_name() {
    local name
    name=$(e2e_tool "$E2E_PRINT_FILE_NAMES" "Student One" "${2:-$(date +%m-%d-%Y)}" | sed -n "s/^$1 //p")
    [ -n "$name" ] || e2e_fail "print_file_names names no $1 file"
    echo "$name"
}

# Starts the program. $1 "share" (the default) gives it drive i:, "no-share" a computer without it.
# $2, a size such as 256k, puts the home data directory on a file system of that size of its
# own, which only the program sees (reach it through e2e_program_root); none by default. $3
# does the same for drive i:. A Windows program always has drive i:, on no file system of its own.
e2e_start_program() {
    if ((E2E_WINE)); then
        "$WINE" "$E2E_PROGRAM" >"$E2E_DIR/program.out" 2>"$E2E_DIR/program.err" &
        E2E_PROGRAM_PID=$!
        return
    fi
    local share=$E2E_SHARE
    [ "${1:-share}" = share ] || share=""
    local namespace=(unshare --mount --propagation private)
    [ "$(id -u)" -eq 0 ] || namespace=(unshare --user --map-root-user --mount --propagation private)
    env HOME="$E2E_HOME" XDG_RUNTIME_DIR="$E2E_DIR/runtime" QT_QPA_PLATFORM=xcb \
        "${namespace[@]}" sh -c '
            mount -t tmpfs classjournal-drives /mnt || exit 97
            if [ -n "$1" ]; then mkdir /mnt/i && mount --bind "$1" /mnt/i || exit 97; fi
            if [ -n "$2" ]; then
                mkdir -p "$HOME/qorsdata" && mount -t tmpfs -o size="$2" classjournal-data "$HOME/qorsdata" || exit 97
            fi
            if [ -n "$3" ]; then mount -t tmpfs -o size="$3" classjournal-share /mnt/i || exit 97; fi
            shift 3
            exec "$@"' sh "$share" "${2:-}" "${3:-}" "$E2E_PROGRAM" \
        >"$E2E_DIR/program.out" 2>"$E2E_DIR/program.err" &
    E2E_PROGRAM_PID=$!
}

# The running program's view of the files, its private mounts included.
e2e_program_root() { echo "/proc/$E2E_PROGRAM_PID/root"; }

e2e_program_running() { kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; }

# Waits for the program to end by itself and checks that it ended normally.
e2e_expect_exit() {
    e2e_wait_for "the program to end" eval '! e2e_program_running'
    local status=0
    wait "$E2E_PROGRAM_PID" || status=$?
    E2E_PROGRAM_PID=""
    [ "$status" -eq 0 ] || e2e_fail "the program ended with status $status"
}

# A window manager gives each newly shown window the keyboard focus; this X server runs none.
e2e_focus() {
    timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null &&
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

# True when a window titled "Class Journal" other than the last one is shown and has the
# keyboard focus: the next prompt or message box, ready for typing.
e2e_new_dialog_focused() {
    e2e_program_running || e2e_fail "the program ended while a prompt or message was awaited"
    local id
    for id in $(xdotool search --onlyvisible --name '^Class Journal$' 2>/dev/null); do
        if [ "$id" != "$E2E_DIALOG" ] && e2e_focus "$id"; then
            E2E_DIALOG=$id
            return 0
        fi
    done
    return 1
}

e2e_wait_dialog() { e2e_wait_for "a prompt or message box" e2e_new_dialog_focused; }

# Types the answer into the next prompt and confirms it with Return.
e2e_answer_prompt() {
    e2e_wait_dialog
    e2e_type "$1"
    xdotool key Return
}

# Answers the four start-up prompts: home or network, name, initials, assignment.
e2e_answer_start_up() {
    local answer
    for answer in "$@"; do e2e_answer_prompt "$answer"; done
}

# Reads the next message box as a person would copy its text (click into it, select all, copy),
# then presses OK.
e2e_read_message() {
    e2e_wait_dialog
    local not_copied="nothing copied from the message"
    echo -n "$not_copied" | xclip -selection clipboard -i
    local WIDTH
    eval "$(xdotool getwindowgeometry --shell "$E2E_DIALOG" | grep '^WIDTH=')"
    # The text stands at the top, across the message's width; the OK button is at the bottom.
    xdotool mousemove --window "$E2E_DIALOG" $((WIDTH / 2)) 25 click 1 key ctrl+a ctrl+c
    e2e_wait_for "the message's text to be copied" eval 'E2E_MESSAGE=$(e2e_clipboard); [ "$E2E_MESSAGE" != "$not_copied" ]'
    xdotool key Return
}

# Reads the next message box and checks that it shows the expected text.
e2e_expect_message() {
    e2e_read_message
    if [ "$E2E_MESSAGE" != "$1" ]; then
        printf 'expected the message:\n%s\nfound:\n%s\n' "$1" "$E2E_MESSAGE" >&2
        e2e_fail "the message is not the expected one"
    fi
}

e2e_clipboard() { timeout 5 xclip -selection clipboard -o 2>/dev/null || true; }

# True when the main window is shown and has the keyboard focus, ready for typing.
e2e_form_shown() {
    e2e_program_running || e2e_fail "the program ended before its window appeared"
    E2E_FORM=$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n1)
    [ -n "$E2E_FORM" ] && e2e_focus "$E2E_FORM"
}

e2e_wait_form() { e2e_wait_for 'the window "Form1"' e2e_form_shown; }

# Clicks the middle of a control's visible part (the window clips what runs past its edge).
e2e_click() {
    [ -n "${E2E_CONTROL[$1]:-}" ] || e2e_fail "no control $1 in the control table from E2E_PRINT_CONTROLS"
    local left top width height client_width
    read -r left top width height <<<"${E2E_CONTROL[$1]}"
    read -r _ _ client_width _ <<<"${E2E_CONTROL[client_area]}"
    if ((left + width > client_width)); then width=$((client_width - left)); fi
    xdotool mousemove --window "$E2E_FORM" $(((left + width / 2) / 15)) $(((top + height / 2) / 15)) click 1
}

# Types into whatever has the keyboard focus as a person would, pressing Return between lines.
e2e_type() {
    local lines line first=1
    mapfile -t lines <<<"$1"
    for line in "${lines[@]}"; do
        ((first)) || xdotool key Return
        first=0
        [ -z "$line" ] || LC_ALL=C.UTF-8 xdotool type --delay 15 "$line"
    done
}

e2e_type_into() {
    e2e_click "$1"
    e2e_type "$2"
}

# Clicks into a box and pastes the text there. Text beyond the keyboard's keys goes in this way:
# xdotool types such a character by remapping a key for a moment, which a busy program can miss.
e2e_paste_into() {
    printf '%s' "$2" | xclip -selection clipboard -i
    e2e_click "$1"
    xdotool key ctrl+v
}

# A box's text as a student could see it: select all, copy, paste elsewhere.
e2e_box_text() {
    e2e_click "$1"
    xdotool key ctrl+a ctrl+c
    e2e_clipboard
}

# Waits until a box shows the expected text; the program takes each click and key in turn.
e2e_expect_box() {
    local box=$1 expected=$2 deadline=$((SECONDS + E2E_WAIT_SECONDS)) actual
    while actual=$(e2e_box_text "$box"); [ "$actual" != "$expected" ]; do
        if ((SECONDS >= deadline)); then
            printf 'expected in %s:\n%s\nfound:\n%s\n' "$box" "$expected" "$actual" >&2
            e2e_fail "$box does not show what was expected"
        fi
        sleep 0.1
    done
}

# The session the tests record: a response, notes, and a two-line response with a character
# beyond the keyboard's, each to a question fetched.
e2e_record_session() {
    local question="Please respond to the question."
    e2e_click cmdNextQuestion
    e2e_expect_box txt_question "$question"
    e2e_type_into txt_answer "OK"
    e2e_click cmd_enter_response

    e2e_click cmdNextQuestion
    e2e_expect_box txt_question "$question"
    e2e_type_into txt_answer "check units"
    e2e_click cmd_save_as_notes

    e2e_click cmdNextQuestion
    e2e_paste_into txt_answer "café au lait"
    e2e_type $'\nsecond line'
    e2e_expect_box txt_answer $'café au lait\nsecond line'
    e2e_click cmd_enter_response
}
