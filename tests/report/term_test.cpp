#include <gtest/gtest.h>

#include <sstream>

#include "fakes.h"
#include "report_program.h"

namespace cj::test {
namespace {

namespace fs = std::filesystem;

// The send file's lines, written out here from the layouts the instructor reads.
const std::string kBang = "......!!!!!!!!...................................\r\n", kDots(49, '.'), kIndent(36, ' ');
std::string header(const std::string& name, const std::string& initials, const std::string& date,
                   const std::string& time) {
    return "noise\r\nStudent Name:  " + name + "\r\nassignment #001\r\n001.  Responses\r\nInitials:  " + initials +
           "\r\nDate and Time " + date + " " + time + "\r\n";
}
std::string response(const std::string& time, const std::string& text) {
    return kBang + kIndent + time + "\r\n" + kBang + "RESPONSE -->  \r\n" + text + "\r\n" + kDots + "\r\n";
}
std::string notes(const std::string& date, const std::string& time, const std::string& text) {
    return kBang + kIndent + time + "\r\n" + kIndent + date + time + "\r\nQ\r\n" + kBang + "NOTES -------> " + text +
           "\r\n" + kDots + "       ";
}
const std::string kAnn = header("Ann", "A", "12-07-2026", "10:00:00") + response("10:01:00", "a");

// A term's folder: the files in it (named under "lab"), the command line's further words, and
// the rows the two tables must hold after their heads. The draft's file was last written on
// 12-06-2026 at 09:30:01.
struct Term {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;
    std::vector<std::string> args;
    std::string participation;
    std::string summary = "";    // "" when not looked at
    std::string saidOnDay = "";  // in the page of 12-07-2026
    std::string warned = "";     // on standard error
};

std::ostream& operator<<(std::ostream& out, const Term& term) { return out << term.name; }

const Term kTerms[] = {
    {"AfterMidnight",
     {{"send_1207Ann.txt", header("Ann", "A", "12-07-2026", "23:55:00") + response("23:56:00", "late") +
                               response("00:01:00", "past") + notes("12-08-2026", "00:02:00", "n") +
                               response("00:03:00", "last")}},
     {},
     "Ann,A,2026-12-07,1,0,23:55:00,23:56:00\r\nAnn,A,2026-12-08,2,1,00:01:00,00:03:00\r\n"},
    {"ClockPutBackAnHourThenMidnight",
     {{"send_1207Ann.txt", header("Ann", "A", "12-07-2026", "23:30:00") + response("23:50:00", "a") +
                               response("22:55:00", "b") + response("00:05:00", "c")}},
     {},
     "Ann,A,2026-12-07,2,0,22:55:00,23:50:00\r\nAnn,A,2026-12-08,1,0,00:05:00,00:05:00\r\n"},
    {"CutAtALineEndBeforeTheNextStart",
     {{"send_1207Ann.txt", header("Ann", "A", "12-07-2026", "10:00:00") + kBang + kIndent + "10:01:00\r\n" +
                               kBang + "RESPONSE -->  \r\ncut\r\n" + header("Ann", "A", "12-07-2026", "23:59:00") +
                               response("00:01:00", "past")}},
     {},
     "Ann,A,2026-12-07,0,0,10:00:00,23:59:00\r\nAnn,A,2026-12-08,1,0,00:01:00,00:01:00\r\n",
     "",
     "",
     "send_1207Ann.txt:7: a response record cut short"},
    {"DraftOnlyDay",
     {{"send_1207Ann.txt", kAnn}, {"draft_Ann.txt", "typed, never sent"}},
     {},
     "Ann,,2026-12-06,0,0,09:30:01,09:30:01\r\nAnn,A,2026-12-07,1,0,10:00:00,10:01:00\r\n"},
    {"FolderReadTwice",
     {{"send_1207Ann.txt", kAnn}, {"copy/send_1207Ann.txt", kAnn}},
     {"IN", "IN/.", "IN/copy"},
     "Ann,A,2026-12-07,1,0,10:00:00,10:01:00\r\n",
     "",
     "",
     "send_1207Ann.txt: the same bytes as"},
    {"ExplorerCopies",
     {{"send_1207Dora_Draft.txt", kAnn},
      {"send_1207Dora_Draft - Copy.txt", kAnn},
      {"send_1207Dora_Draft (1).txt", kAnn}},
     {},
     "Ann,A,2026-12-07,1,0,10:00:00,10:01:00\r\n",
     "",
     "",
     "send_1207Dora_Draft (1).txt: the same bytes as"},
    {"CopyGrownApart",
     {{"send_1207Ann.txt", kAnn + response("10:02:00", "b")}, {"send_1207Ann - Copy.txt", kAnn}},
     {},
     "Ann,A,2026-12-07,3,0,10:00:00,10:02:00\r\n",
     "",
     "more than one file, and each was read"},
    {"QuestionMarks",
     {{"send_1207Who__Me.txt", header("Who? Me", "W", "12-07-2026", "10:00:00")},
      {"send_1207Zoë.txt", header("Zo?", "Z", "12-07-2026", "11:00:00")}},
     {},
     "Who? Me,W,2026-12-07,0,0,10:00:00,10:00:00\r\nZoë,Z,2026-12-07,0,0,11:00:00,11:00:00\r\n"},
    {"ClassList",
     {{"send_1207Bob_Marsh.txt", header("Bob Marsh", "BM", "12-07-2026", "10:00:00") + response("10:01:00", "x")},
      {"send_1208Robert__Marsh.txt", header("Robert  Marsh", "RM", "12-08-2026", "10:00:00")},
      {"send_1207ann_lee.txt", header("ann lee", "al", "12-07-2026", "10:00:00")},
      {"send_1207Eve.txt", header("Eve", "E", "12-07-2026", "10:00:00")},
      {"class.csv",
       "\xEF\xBB\xBFName,Initials,Other spellings\r\nRobert Marsh,RM,Bob Marsh\r\nAnn Lee\r\n\"Carl, Jr\",CJ\r\n"}},
     {"--class", "IN/class.csv"},
     "Ann Lee,al,2026-12-07,0,0,10:00:00,10:00:00\r\nEve,E,2026-12-07,0,0,10:00:00,10:00:00\r\n"
     "Robert Marsh,BM,2026-12-07,1,0,10:00:00,10:01:00\r\nRobert Marsh,RM,2026-12-08,0,0,10:00:00,10:00:00\r\n",
     "Robert Marsh,RM,2,0,1,0,2026-12-07,2026-12-08,yes\r\nAnn Lee,al,1,1,0,0,2026-12-07,2026-12-07,yes\r\n"
     "\"Carl, Jr\",CJ,0,2,0,0,,,yes\r\nEve,E,1,,0,0,2026-12-07,2026-12-07,no\r\n",
     "<tr class=\"absent\"><td><bdi>Carl, Jr</bdi></td><td colspan=\"6\">absent</td></tr>\n"
     "<tr class=\"apart\"><th colspan=\"7\">Not on the class list</th></tr>",
     "class.csv: not a file of Class Journal"},
    {"FromAndToBothIncluded",
     {{"send_1205Ann.txt", header("Ann", "A", "12-05-2026", "10:00:00")},
      {"send_1206Ann.txt", header("Ann", "A", "12-06-2026", "10:00:00")},
      {"send_1207Ann.txt", kAnn},
      {"send_1208Ann.txt", header("Ann", "A", "12-08-2026", "10:00:00")}},
     {"--from", "2026-12-06", "--to", "2026-12-07"},
     "Ann,A,2026-12-06,0,0,10:00:00,10:00:00\r\nAnn,A,2026-12-07,1,0,10:00:00,10:01:00\r\n",
     "Ann,A,2,,1,0,2026-12-06,2026-12-07,\r\n"},
};

class Terms : public testing::TestWithParam<Term> {};

TEST_P(Terms, GiveEveryStudentAndDayOnceInBothTables) {
    TempDir temp;
    FixedClock clock;
    const fs::path lab = temp.path() / "lab", out = temp.path() / "out";
    fs::create_directories(out);
    for (const auto& [name, bytes] : GetParam().files) {
        fs::create_directories((lab / fs::path(std::u8string(name.begin(), name.end()))).parent_path());
        writeBytes(lab / fs::path(std::u8string(name.begin(), name.end())), bytes);
    }
    std::vector<std::string> args = {"--out", out.string()};
    for (std::string arg : GetParam().args) args.push_back(arg.starts_with("IN") ? lab.string() + arg.substr(2) : arg);
    if (std::find(args.begin(), args.end(), lab.string()) == args.end()) args.push_back(lab.string());
    std::ostringstream said, err;
    ASSERT_EQ(report::reportProgram(args, clock, said, err, false), 0) << err.str();

    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(readBytes(out / "participation.csv"),
              bom + "name,initials,date,responses,notes,first time,last time\r\n" + GetParam().participation);
    if (!GetParam().summary.empty()) {
        EXPECT_EQ(readBytes(out / "summary.csv"), bom +
                                                      "name,initials,days present,days absent,responses,notes,first "
                                                      "day,last day,on the class list\r\n" +
                                                      GetParam().summary);
    }
    const std::string day = readBytes(out / "days" / "2026-12-07.html");
    EXPECT_NE(day.find(GetParam().saidOnDay), std::string::npos) << day;
    EXPECT_NE(err.str().find(GetParam().warned), std::string::npos) << err.str();
}

INSTANTIATE_TEST_SUITE_P(Report, Terms, testing::ValuesIn(kTerms),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace cj::test
