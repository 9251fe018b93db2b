#include <QPlainTextEdit>
#include <QTextCursor>
#include <fstream>
#include <iterator>

#include "code_page_text_box.h"
#include "ratio_main.h"
#include "window_bench.h"

namespace {

using namespace cj;
using cj::bench::StartedWindow;

const std::string kLine = "Please respond to the question.";

// About 1 MB of what a question box holds after a long session: questions, answers, notes.
std::string megabyteOfText() {
    std::string text;
    while (text.size() < 1'000'000) {
        text += " <-<-<-<-  Q/A:   " + kLine + "\r\nThe current doubles when the resistance is halved.\r\n";
    }
    return text;
}

QString asShown(const std::string& text) { return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), "\n"); }

// A box like the question box without anything of ours: the same font, size and wrapping.
struct BareBox {
    QPlainTextEdit box;
    explicit BareBox(const QString& text) {
        box.setFont(ui::CodePageTextBox().font());
        box.resize(345, 350);
        box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box.setPlainText(text);
        box.show();
    }
    void append(const QString& text) {
        QTextCursor end(box.document());
        end.movePosition(QTextCursor::End);
        end.insertText(text);
    }
};

void NextQuestionOnAFullBox(benchmark::State& state) {
    StartedWindow started;
    for (long slot = 2; slot <= ScriptTable::kLastSlot; ++slot) started.window.run().script().write(slot, kLine);
    started.window.setQuestionText(megabyteOfText());
    for (auto _ : state) {
        started.click("cmdNextQuestion");
        QCoreApplication::processEvents();  // the repaint belongs to the click
    }
    if (!started.dialogs.messages.empty()) state.SkipWithError("stepping failed");
}

void BareAppendToAFullBox(benchmark::State& state) {
    BareBox bare(asShown(megabyteOfText()));
    const QString line = QString::fromLatin1(kLine);
    for (auto _ : state) {
        bare.append(line);
        QCoreApplication::processEvents();
    }
}

void DisplayNotesOfAMegabyte(benchmark::State& state) {
    StartedWindow started;
    test::writeBytes(started.temp.path() / "c" / "qorsdata" / test::fileNamesOf().notes, megabyteOfText());
    for (auto _ : state) {
        state.PauseTiming();
        started.window.setQuestionText("");
        QCoreApplication::processEvents();
        state.ResumeTiming();
        started.click("cmd_display_note_file");
        QCoreApplication::processEvents();
    }
    if (!started.dialogs.messages.empty()) state.SkipWithError("display notes failed");
}

void BareReadAndAppendAMegabyte(benchmark::State& state) {
    test::TempDir temp;
    const auto notes = temp.path() / "notes.txt";
    test::writeBytes(notes, megabyteOfText());
    BareBox bare{QString()};
    for (auto _ : state) {
        state.PauseTiming();
        bare.box.setPlainText(QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
        std::ifstream in(notes, std::ios::binary);
        const std::string raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        bare.append(QString::fromLatin1(raw));
        QCoreApplication::processEvents();
    }
}

// A script holds at most 5000 lines, so every repetition stays within one script's worth.
BENCHMARK(NextQuestionOnAFullBox)->Iterations(400)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareAppendToAFullBox)->Iterations(400)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(DisplayNotesOfAMegabyte)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BareReadAndAppendAMegabyte)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    cj::bench::drawOffscreenUnlessAsked();
    QApplication app(argc, argv);
    return cj::bench::runWithRatios(argc, argv,
                                    {{"NextQuestionOnAFullBox", "BareAppendToAFullBox", 1.5, bench::Timing::Processor},
                                     {"DisplayNotesOfAMegabyte", "BareReadAndAppendAMegabyte", 1.5, bench::Timing::Processor}});
}
