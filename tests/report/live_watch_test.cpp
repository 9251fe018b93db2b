#include <gtest/gtest.h>

#include <fstream>

#include "fakes.h"
#include "live_watch.h"

namespace cj::test {
namespace {

namespace fs = std::filesystem;

// What happens to the class file between two of the page's requests.
struct Event {
    enum Kind { Append, CutTo, Replace, Remove } kind;
    std::string bytes;
};

// The class file as the view starts (none when missing), what happens to it next, and what the
// page is sent over its requests: each line as its JSON string, "?" while the file is missing,
// "*" where its reading starts again; the lines of one request are parted by commas.
struct FileEvents {
    const char* name;
    std::optional<std::string> atStart;
    std::vector<Event> events;
    std::string sent;
};

std::ostream& operator<<(std::ostream& out, const FileEvents& row) { return out << row.name; }

const FileEvents kFileEvents[] = {
    {"WholeLine", "before\r\n", {{Event::Append, "one\r\n"}}, R"("one")"},
    {"LineInTwoWrites", "", {{Event::Append, "o"}, {Event::Append, "ne\r"}, {Event::Append, "\n"}}, R"("one")"},
    {"LineWithoutItsEnd", "", {{Event::Append, "one\r\ntwo"}}, R"("one")"},
    {"LineWrittenAsTheViewStarts", "before\r\nha", {{Event::Append, "lf\r\n"}}, R"("half")"},
    {"EmptyAnswer", "", {{Event::Append, "\r\n"}}, R"("")"},
    {"CutBack", "a\r\nb\r\n", {{Event::Append, "c\r\n"}, {Event::CutTo, "x\r\n"}}, R"("c"*"x")"},
    {"CutBackAndGrownPastThePlace", "", {{Event::Append, "one\r\n"}, {Event::CutTo, "ab\r\ncdefgh\r\n"}},
     R"("one"*"ab","cdefgh")"},
    {"Replaced", "a\r\n", {{Event::Append, "b\r\n"}, {Event::Replace, "y\r\nz\r\nmore\r\n"}}, R"("b"*"y","z","more")"},
    {"MissingThenMade", std::nullopt, {{Event::Replace, "a\r\n"}, {Event::Append, "b\r\n"}}, R"(?"a""b")"},
    {"RemovedThenMadeAgain", "a\r\n", {{Event::Remove, ""}, {Event::Replace, "c\r\n"}}, R"(?*"c")"},
    {"Windows1252", "", {{Event::Append, "caf\xE9 co\xFBte \x80 5\r\n"}}, R"("café coûte € 5")"},
    {"HostileMarkup", "", {{Event::Append, "<img src=x onerror=\"alert('&')\">\\\t\r\n"}},
     R"("\u003cimg src=x onerror=\"alert('\u0026')\"\u003e\\\u0009")"},
};

class LiveWatchTest : public testing::TestWithParam<FileEvents> {};

// What one request is sent, as the table writes it; the page's place moves on.
std::string sentTo(report::ClassFileWatch& watch, std::optional<std::uint64_t>& reading, std::uint64_t& next) {
    const report::LiveBatch batch = watch.linesFrom(reading, next, std::nullopt);
    std::string sent = batch.file == report::LiveBatch::File::Missing ? "?" : "";
    if (reading && batch.reading != *reading) sent += "*";
    const std::string json = report::batchJson(batch);
    const std::size_t lines = json.find("\"lines\":[") + 9;
    sent += json.substr(lines, json.size() - 2 - lines);
    reading = batch.reading;
    next = batch.next;
    return sent;
}

TEST_P(LiveWatchTest, SendsTheWholeLinesThatArrive) {
    const FileEvents& row = GetParam();
    TempDir temp;
    const fs::path file = temp.path() / "responses.txt";
    if (row.atStart) writeBytes(file, *row.atStart);
    report::ClassFileWatch watch(file);
    std::optional<std::uint64_t> reading;
    std::uint64_t next = 0;
    std::string sent = sentTo(watch, reading, next);
    for (const Event& event : row.events) {
        if (event.kind == Event::Append) std::ofstream(file, std::ios::binary | std::ios::app) << event.bytes;
        if (event.kind == Event::CutTo) std::ofstream(file, std::ios::binary | std::ios::trunc) << event.bytes;
        if (event.kind == Event::Replace) {
            writeBytes(temp.path() / "new.txt", event.bytes);
            fs::rename(temp.path() / "new.txt", file);
        }
        if (event.kind == Event::Remove) fs::remove(file);
        sent += sentTo(watch, reading, next);
    }
    EXPECT_EQ(sent, row.sent);
}

INSTANTIATE_TEST_SUITE_P(FileEvents, LiveWatchTest, testing::ValuesIn(kFileEvents),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LiveWatchTest, SendsTheLinesFromBeforeTheViewStartedOnlyWhenAsked) {
    TempDir temp;
    const fs::path file = temp.path() / "responses.txt";
    writeBytes(file, "one\r\ntwo\r\n");
    report::ClassFileWatch watch(file);
    EXPECT_TRUE(watch.linesFrom(std::nullopt, std::nullopt, std::nullopt).lines.empty());
    const report::LiveBatch earlier = watch.linesFrom(0, 0, 10);
    EXPECT_EQ(earlier.lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(earlier.next, 10u);
}

}  // namespace
}  // namespace cj::test
