#include <QKeyEvent>

#include "code_page_text_box.h"
#include "controls.h"
#include "ratio_main.h"
#include "window_bench.h"

namespace {

using namespace cj;
using cj::bench::StartedWindow;

// About 10 kB of a long critique, as a student may type into the answer box.
std::string tenKilobytes() {
    std::string text;
    while (text.size() < 10'000) text += "The current doubles when the resistance is halved, by Ohm's law.\r\n";
    return text;
}

void typeKeystrokes(QWidget& box, benchmark::State& state) {
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&box, &release);
        QCoreApplication::processEvents();  // the repaint belongs to the keystroke
    }
}

// The window's answer box, its draft restored and kept.
void KeystrokeWithDrafts(benchmark::State& state) {
    StartedWindow started;
    started.window.restoreDraft();
    started.window.setAnswerText(tenKilobytes());
    typeKeystrokes(started.window.answerBox(), state);
    if (!started.dialogs.messages.empty()) state.SkipWithError("the draft failed");
}

// The same box on its own, of the same size, with nothing watching it.
void KeystrokeWithoutDrafts(benchmark::State& state) {
    ui::CodePageTextBox box;
    box.resize(ui::pixelsOf(5055), ui::pixelsOf(5255));
    box.setCodePageText(tenKilobytes());
    box.show();
    typeKeystrokes(box, state);
}

BENCHMARK(KeystrokeWithDrafts)->Iterations(1000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeWithoutDrafts)->Iterations(1000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    cj::bench::drawOffscreenUnlessAsked();
    QApplication app(argc, argv);
    return cj::bench::runWithRatios(argc, argv,
                                    {{"KeystrokeWithDrafts", "KeystrokeWithoutDrafts", 1.1, bench::Timing::Processor}});
}
