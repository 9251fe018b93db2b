#!/usr/bin/env bash
# The instructor's report of a folder the real program made: two students' sessions (a response,
# notes, a two-line response with a character beyond ASCII, an answer left unrecorded; a response
# with markup), reported by classjournal-report with a class list that names a third student;
# the day's page opened in Chromium, its tables read from the DOM it built, and a screenshot of
# the report kept; participation.csv and summary.csv read by Python's csv module; and the Windows
# build's report, run under Wine on the same folder, giving the same files.
# $1 classjournal, $2 classjournal-report, $3 the folder for the screenshot, $4 classjournal-report.exe.
source "$(dirname "$0")/driver.sh"

report=$2 artefacts=$3 windows_report=$4
e2e_setup "$1"

e2e_start_program
e2e_answer_start_up 1 "Student One" STO 1
e2e_wait_form
e2e_record_session
e2e_type_into txt_answer "left unrecorded"
e2e_expect_box txt_answer "left unrecorded"
e2e_click cmd_quit
e2e_expect_exit

e2e_start_program
e2e_answer_start_up 1 "Student Two" ST2 1
e2e_wait_form
e2e_click cmdNextQuestion
e2e_type_into txt_answer "<b>not bold</b> & done"
e2e_click cmd_enter_response
e2e_click cmd_quit
e2e_expect_exit

cd "$E2E_DIR"
mkdir linux windows
printf 'name,initials\r\nStudent One,STO\r\nStudent Two,ST2\r\nStudent Three,ST3\r\n' >class.csv
"$report" --class class.csv --out linux home/qorsdata share 2>report.err || e2e_fail "the report failed: $(cat report.err)"
[ ! -s report.err ] || e2e_fail "the report warned: $(cat report.err)"

# A browser of its own that reaches for nothing on the network (there is none here).
browse() {
    local sandbox=()
    [ "$(id -u)" -ne 0 ] || sandbox=(--no-sandbox)
    timeout 60 chromium --headless "${sandbox[@]}" --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$(mktemp -d "$E2E_DIR/chromium.XXXXXX")" \
        "$@" 2>>chromium.log
}
browse --dump-dom "file://$E2E_DIR/linux/days/$(date +%Y-%m-%d).html" >dom.html ||
    e2e_fail "Chromium could not open the day's page: $(tail -5 chromium.log)"
mkdir -p "$artefacts"
browse --window-size=1000,1300 --screenshot="$artefacts/report.png" "file://$E2E_DIR/linux/report.html" >/dev/null ||
    e2e_fail "no screenshot"

python3 - "$(date +%m-%d-%Y)" "$(date +%Y-%m-%d)" <<'PY' || e2e_fail "the page or the table does not hold the session"
import csv, html.parser, re, sys
today, iso = sys.argv[1], sys.argv[2]

class Rows(html.parser.HTMLParser):
    rows, row, cell = [], None, None
    def handle_starttag(self, tag, attrs):
        if tag == "tr": self.row = []
        if tag in ("td", "th"): self.cell = ""
    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.row is not None: self.row.append(self.cell.strip()); self.cell = None
        if tag == "tr": self.rows.append(self.row); self.row = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data

page = Rows(); page.feed(open("dom.html", encoding="utf-8").read())
time = re.compile(r"^\d\d:\d\d:\d\d$")
expected = [
    ["Student One", "STO", "2", "1", "T", "T", "yes"],
    ["Student Two", "ST2", "1", "0", "T", "T", ""],
    ["Student Three", "absent"],
    ["T", "Response", "not recorded", "OK"],
    ["T", "Notes", "Please respond to the question.", "check units"],
    ["T", "Response", "not recorded", "café au lait\nsecond line"],
    ["", "Draft", "never recorded", "left unrecorded"],
    ["T", "Response", "not recorded", "<b>not bold</b> & done"],
]
found = [["T" if time.match(c) else c for c in r] for r in page.rows if r and r[0] not in ("Student", "Time", "File")]
assert found[:len(expected)] == expected, found
assert "<b>not bold" not in open(f"linux/days/{iso}.html", encoding="utf-8").read()
assert f"{today}</h1>" in open("dom.html", encoding="utf-8").read()

with open("linux/participation.csv", encoding="utf-8-sig", newline="") as table:
    rows = list(csv.reader(table))
assert open("linux/participation.csv", "rb").read().startswith(b"\xef\xbb\xbfname,")
assert rows[0] == ["name", "initials", "date", "responses", "notes", "first time", "last time"], rows[0]
assert [r[:5] for r in rows[1:]] == [["Student One", "STO", iso, "2", "1"], ["Student Two", "ST2", iso, "1", "0"]], rows
assert all(time.match(r[5]) and time.match(r[6]) and r[5] <= r[6] for r in rows[1:]), rows

with open("linux/summary.csv", encoding="utf-8-sig", newline="") as table:
    rows = list(csv.reader(table))
assert rows[1:] == [["Student One", "STO", "1", "0", "2", "1", iso, iso, "yes"],
                    ["Student Two", "ST2", "1", "0", "1", "0", iso, iso, "yes"],
                    ["Student Three", "ST3", "0", "1", "0", "0", "", "", "yes"]], rows
PY

if [ -x "$windows_report" ]; then
    "$(dirname "$0")/../../scripts/run_under_wine.sh" "$windows_report" --class class.csv --out windows \
        home/qorsdata share >/dev/null 2>wine.err || e2e_fail "the Windows report failed: $(cat wine.err)"
    for table in participation.csv summary.csv; do
        cmp linux/$table windows/$table || e2e_fail "the two $table differ"
    done
    # The time it was made, and the separator of the paths it names, are the system's own.
    same_page() { sed -e 's|<p class="made">Made [0-9: -]*|<p class="made">|; s|, made [0-9: -]*</p>|</p>|' "$1" | tr '\\' '/'; }
    for page in report.html "days/$(date +%Y-%m-%d).html"; do
        diff <(same_page linux/$page) <(same_page windows/$page) >&2 || e2e_fail "the two $page differ"
    done
else
    echo "no Windows build at $windows_report: the Wine half is left out" >&2
    exit 77
fi
echo "PASS: the report of a real session holds it, in the browser, in the table, and from Windows alike"
