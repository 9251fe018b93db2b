#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "fakes.h"
#include "records.h"
#include "report_program.h"

namespace cj::test {
namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "noise\r\nStudent Name:  Good One\r\nassignment #001\r\n001.  Responses\r\nInitials:  GO\r\n"
    "Date and Time 12-07-2026 14:05:00\r\n";
const std::string kGoodRow = "Good One,GO,2026-12-07,1,0,14:05:00,14:05:09";
std::string headerOf(const std::string& name) {
    return "noise\r\nStudent Name:  " + name +
           "\r\nassignment #001\r\n001.  Responses\r\nInitials:  X\r\n"
           "Date and Time 12-07-2026 14:05:00\r\n";
}

// classjournal-report run on the folder lab, writing into the folder out.
template <typename Row>
class ReportOfAFolder : public testing::TestWithParam<Row> {
protected:
    ReportOfAFolder() { fs::create_directories(out); }
    int runReport(std::vector<std::string> args) {
        for (std::string& arg : args) {
            if (arg.starts_with("IN")) arg = folder.string() + arg.substr(2);
            if (arg.starts_with("OUT")) arg = out.string() + arg.substr(3);
        }
        std::ostringstream said;
        return report::reportProgram(args, clock, said, err, false);
    }

    TempDir temp;
    FixedClock clock;
    const fs::path folder = temp.path() / "lab", out = temp.path() / "out";
    std::ostringstream err;
};

// Something in the folder beside a good student's send file; it is passed over with the warning,
// which names the file and, where the trouble lies inside it, the line, and the rest is reported.
struct BadInput {
    const char* name;
    std::function<void(const fs::path& folder)> plant;
    const char* warning;   // "" for none; expected at the end of standard error's one line
    const char* row = "";  // a further row of participation.csv
};

std::ostream& operator<<(std::ostream& out, const BadInput& bad) { return out << bad.name; }

void write(const fs::path& file, const std::string& bytes) { writeBytes(file, bytes); }

const BadInput kBadInputs[] = {
    {"TornRecord",
     [](auto& f) {
         write(f / "send_1207Torn.txt", headerOf("Torn") + kDotBang + kIndent + "14:05:09\r\n" + kDotBang +
                                            "RESPONSE -->  \r\nhal" + responseRecord("whole"));
     },
     "send_1207Torn.txt:7: a response record cut short", "Torn,X,2026-12-07,1,0,14:05:00,14:05:09"},
    {"NotesCutAtTheEnd",
     [](auto& f) { write(f / "send_1207Cut.txt", headerOf("Cut") + notesRecord(kQuestion, "n", "").substr(0, 260)); },
     "send_1207Cut.txt:7: a notes record cut short", "Cut,X,2026-12-07,0,0,14:05:00,14:05:00"},
    {"GluedToStrayLines",
     [](auto& f) {
         write(f / "send_1207Glued.txt", headerOf("Glued") + "stray\r\nhalf a line" + responseRecord("ok"));
     },
     "send_1207Glued.txt:7: lines that belong to no record", "Glued,X,2026-12-07,1,0,14:05:00,14:05:09"},
    {"RecordsWithoutHeader", [](auto& f) { write(f / "send_1207Nobody.txt", responseRecord("whose?")); },
     "send_1207Nobody.txt:1: records before any header, which names the student and the day; skipped"},
    {"HeaderWithoutRecords", [](auto& f) { write(f / "send_1207Idle.txt", headerOf("Idle")); }, "",
     "Idle,X,2026-12-07,0,0,14:05:00,14:05:00"},
    {"BinaryFile",
     [](auto& f) { write(f / "send_1207Bin.txt", std::string("\0\x01\xff\r\n\x7f", 6) + std::string(1000, '\0')); },
     "send_1207Bin.txt:1: lines that belong to no record"},
    {"LargerThanAnyAnswer",
     [](auto& f) {
         write(f / "send_1207Big.txt", headerOf("Big") + kDotBang + kIndent + "14:05:09\r\n" + kDotBang +
                                           "RESPONSE -->  \r\n" + std::string(17 << 20, 'x'));
     },
     "send_1207Big.txt:7: a record larger than any answer", "Big,X,2026-12-07,0,0,14:05:00,14:05:00"},
    {"OneGigabyte",
     [](auto& f) {
         write(f / "notes_Huge.txt", "");
         fs::resize_file(f / "notes_Huge.txt", 1ull << 30);
     },
     "notes_Huge.txt:1: lines that belong to no record"},
    {"ForeignFile", [](auto& f) { write(f / "grades.xlsx", "PK"); },
     "grades.xlsx: not a file of Class Journal; skipped"},
    {"Link", [](auto& f) { fs::create_symlink(f / "send_1207Good_One.txt", f / "send_1208Good_One.txt"); },
     "send_1208Good_One.txt: neither a plain file nor a folder; not followed"},
    {"Fifo", [](auto& f) { ::mkfifo((f / "send_1207Fifo.txt").c_str(), 0600); },
     "send_1207Fifo.txt: neither a plain file nor a folder; not followed"},
    {"LinkedFolder", [](auto& f) { fs::create_directory_symlink(f, f / "again"); },
     "again: neither a plain file nor a folder; not followed"},
};

using BadInputs = ReportOfAFolder<BadInput>;

TEST_P(BadInputs, ArePassedOverWithOneWarningAndTheRestIsReported) {
    write(folder / "send_1207Good_One.txt", kHeader + responseRecord("fine"));
    GetParam().plant(folder);
    ASSERT_EQ(runReport({"IN", "--out", "OUT"}), 0) << err.str();

    const std::string warning = GetParam().warning;
    EXPECT_EQ(err.str(), warning.empty() ? "" : "classjournal-report: " + (folder / warning).string() + "\n");
    const std::string csv = readBytes(out / "participation.csv");
    EXPECT_NE(csv.find(kGoodRow + "\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(std::string(GetParam().row) + (*GetParam().row ? "\r\n" : "")), std::string::npos) << csv;
    const std::string page = readBytes(out / "days" / "2026-12-07.html");
    EXPECT_NE(page.find("<td class=\"text\">fine</td>"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Report, BadInputs, testing::ValuesIn(kBadInputs),
                         [](const auto& row) { return std::string(row.param.name); });

// What the two files make of the texts a student typed: never markup, never a formula.
struct TypedText {
    const char* name;
    std::string typed;
    const char* onThePage;
    const char* inTheTable;
    const char* fileName = "send_1207Zoë_Ωμ.txt";
};

std::ostream& operator<<(std::ostream& out, const TypedText& text) { return out << text.name; }

const TypedText kTypedTexts[] = {
    {"Markup", "<script>alert('x')</script> & co", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; co",
     "<script>alert('x')</script> & co,X,"},
    {"Formula", "=HYPERLINK(\"x\")", "=HYPERLINK(&quot;x&quot;)", "\"'=HYPERLINK(\"\"x\"\")\",X,"},
    {"CommaAndCodePage", "Zo\xeb, M\x9c", "Zoë, Mœ", "\"Zoë, Mœ\",X,"},
    {"NotInTheCodePage", "Zo? ??", "Zoë Ωμ", "Zoë Ωμ,X,"},
    {"ControlCharacters", std::string("N\x1b[2J\0\x7f", 7), "N␛[2J␀␡", "N\x1b[2J\0\x7f,X,"},
    {"DirectionTurned", "?evil ?", "<span class=\"ctl\">[U+202E]</span>evil <span class=\"ctl\">[U+2066]</span>",
     "\u202Eevil \u2066,X,", "send_1207\u202Eevil_\u2066.txt"},
};

using TypedTexts = ReportOfAFolder<TypedText>;

TEST_P(TypedTexts, ReachThePageAndTheTableAsText) {
    write(folder / GetParam().fileName, headerOf(GetParam().typed) + responseRecord(GetParam().typed));
    ASSERT_EQ(runReport({"IN", "--out", "OUT"}), 0);
    const std::string page = readBytes(out / "days" / "2026-12-07.html");
    EXPECT_NE(page.find(std::string("<h3 id=\"d2026-12-07-0\"><bdi>") + GetParam().onThePage + "</bdi> (X)</h3>"),
              std::string::npos)
        << page;
    EXPECT_NE(readBytes(out / "participation.csv").find(std::string("\r\n") + GetParam().inTheTable),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Report, TypedTexts, testing::ValuesIn(kTypedTexts),
                         [](const auto& row) { return std::string(row.param.name); });

// The exit status, and nothing written where the report reads.
struct CommandLine {
    const char* name;
    std::vector<std::string> args;  // "IN" the folder read, "OUT" a folder beside it
    int status;
    bool written;
};

std::ostream& operator<<(std::ostream& out, const CommandLine& line) { return out << line.name; }

const CommandLine kCommandLines[] = {
    {"Reported", {"IN", "--out", "OUT", "--from", "2026-12-07", "--to=2026-12-07"}, 0, true},
    {"NoFileOfTheProgram", {"OUT", "--out", "IN"}, 1, false},
    {"MissingFolder", {"IN/none", "--out", "OUT"}, 1, false},
    {"OutInsideTheFolderRead", {"IN", "--out", "IN/sub"}, 2, false},
    {"OutIsTheFolderRead", {"IN/.", "--out", "IN"}, 2, false},
    {"NotADay", {"IN", "--out", "OUT", "--from", "12-07-2026"}, 2, false},
    {"UnknownOption", {"IN", "--out", "OUT", "--color"}, 2, false},
    {"NoFolder", {"--out", "OUT"}, 2, false},
    {"FromAfterTo", {"IN", "--out", "OUT", "--from", "2026-12-08", "--to", "2026-12-07"}, 2, false},
    {"NoDayInTheRange", {"IN", "--out", "OUT", "--from", "2026-12-08"}, 2, false},
    {"NoClassList", {"IN", "--out", "OUT", "--class", "IN/none.csv"}, 2, false},
    {"LinkToTheFolder", {"IN/../link", "--out", "OUT"}, 0, true},
    {"LinkToTheClassList", {"IN", "--out", "OUT", "--class", "IN/../list-link"}, 0, true},
};

using CommandLines = ReportOfAFolder<CommandLine>;

TEST_P(CommandLines, GiveTheExitStatus) {
    write(folder / "send_1207Good_One.txt", kHeader + responseRecord("fine"));
    fs::create_directories(folder / "sub");
    fs::create_directory_symlink(folder, temp.path() / "link");
    write(temp.path() / "class.txt", "Good One\n");
    fs::create_symlink(temp.path() / "class.txt", temp.path() / "list-link");
    const mode_t mask = ::umask(027);
    EXPECT_EQ(runReport(GetParam().args), GetParam().status) << err.str();
    ::umask(mask);
    EXPECT_EQ(fs::exists(out / "report.html") && fs::exists(out / "participation.csv"), GetParam().written);
    EXPECT_EQ(err.str().find("error"), std::string::npos) << err.str();  // words, not numbers
    if (GetParam().written) {
        EXPECT_EQ(fs::status(out / "summary.csv").permissions(), fs::perms(0640));
    }
    EXPECT_FALSE(fs::exists(folder / "report.html") || fs::exists(folder / "sub" / "report.html"));
}

INSTANTIATE_TEST_SUITE_P(Report, CommandLines, testing::ValuesIn(kCommandLines),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace cj::test
