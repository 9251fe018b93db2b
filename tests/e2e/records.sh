# What the four files hold, composed line by line, and how a written file is compared with it.
# Sourced by the end-to-end tests. Lines end with CR LF; texts are Windows-1252 bytes.
#
# A written file is compared after the parts that change from run to run are checked and
# replaced: the header's noise line by <NOISE>, today's date by <DATE>, each time by <TIME>.

CRLF=$'\r\n'
DOT_BANG_LINE='......!!!!!!!!...................................'
DOT_LINE='.................................................'
STAMP_INDENT=$(printf '%36s' '')
PRINT_ZONE_ADVANCE=$(printf '%7s' '')
TODAY_AT_START=$(date +%m-%d-%Y)

# $1 name, $2 assignment number, $3 assignment header line, $4 initials.
send_header() {
    printf '%s' "<NOISE>$CRLF" "Student Name:  $1$CRLF" "assignment #$2$CRLF" "$3$CRLF" \
        "Initials:  $4$CRLF" "Date and Time <DATE> <TIME>$CRLF"
}

# The send file's part of a response record.
response_record() {
    printf '%s' "$DOT_BANG_LINE$CRLF" "$STAMP_INDENT<TIME>$CRLF" "$DOT_BANG_LINE$CRLF" \
        "RESPONSE -->  $CRLF" "$1$CRLF" "$DOT_LINE$CRLF"
}

# $1 the question line, $2 the notes; $3 "master" ends the record with a line end, anything
# else with the print-zone advance that the send file and the notes file receive.
notes_record() {
    local ending=$PRINT_ZONE_ADVANCE
    [ "${3:-}" != master ] || ending=$CRLF
    printf '%s' "$DOT_BANG_LINE$CRLF" "$STAMP_INDENT<TIME>$CRLF" "$STAMP_INDENT<DATE><TIME>$CRLF" \
        "$1$CRLF" "$DOT_BANG_LINE$CRLF" "NOTES -------> $2$CRLF" "$DOT_LINE$ending"
}

# The header's first line: 19 to 56 characters of codes 66 to 255 (never CR or LF).
check_noise_line() {
    local line length foreign
    IFS= read -r line <"$1" || true
    line=${line%$'\r'}
    length=$(printf '%s' "$line" | wc -c)
    foreign=$(printf '%s' "$line" | LC_ALL=C tr -d '\102-\377')
    ((length >= 19 && length <= 56)) && [ -z "$foreign" ] ||
        e2e_fail "$1 begins with no noise line: $(printf '%s' "$line" | od -An -tu1 | tr -s ' \n' ' ')"
}

# The file with its run-dependent parts replaced. $2 "header" when it begins with one.
normalized() {
    local today_now noise_rule=""
    today_now=$(date +%m-%d-%Y)
    if [ "${2:-}" = header ]; then
        check_noise_line "$1"
        noise_rule='1s/^[^\r]*\r$/<NOISE>\r/'
    fi
    LC_ALL=C sed -e "$noise_rule" -e "s/$TODAY_AT_START/<DATE>/g; s/$today_now/<DATE>/g" \
        -e 's/\([01][0-9]\|2[0-3]\):[0-5][0-9]:[0-5][0-9]/<TIME>/g' "$1"
}

# $1 the file, $2 a file of what it must hold, $3 "header" when it begins with one.
expect_file() {
    [ -f "$1" ] || e2e_fail "$1 was not written"
    local actual
    actual=$(mktemp)
    normalized "$1" "${3:-}" >"$actual"
    if ! cmp -s "$2" "$actual"; then
        diff -u --label expected --label "$1" <(cat -A "$2") <(cat -A "$actual") >&2 || true
        rm -f "$actual"
        e2e_fail "$1 does not hold what was expected"
    fi
    rm -f "$actual"
}

# $1 the question line, $2 the one note of the session: the notes file and the master file
# hold its record, each ending as it must.
expect_one_note() {
    notes_record "$1" "$2" >"$E2E_DIR/notes.expected"
    expect_file "$E2E_DATA/$(e2e_file_name notes)" "$E2E_DIR/notes.expected"
    notes_record "$1" "$2" master >"$E2E_DIR/master.expected"
    expect_file "$E2E_DATA/$(e2e_file_name master)" "$E2E_DIR/master.expected"
}
