#include <QKeyEvent>
#include <utility>

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

// A key typed and taken back, so that the box holds the same 10 kB throughout.
void typeKeystrokes(QWidget& box, benchmark::State& state) {
    const std::pair<Qt::Key, QString> typedAndTakenBack[] = {{Qt::Key_A, QStringLiteral("a")}, {Qt::Key_Backspace, {}}};
    for (auto _ : state) {
        for (const auto& [key, text] : typedAndTakenBack) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(&box, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(&box, &release);
        }
        QCoreApplication::processEvents();  // the repaint belongs to the keystrokes
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

// The same box in a form of the same size and place, with nothing watching it.
void KeystrokeWithoutDrafts(benchmark::State& state) {
    QWidget form;
    form.setFixedSize(ui::pixelsOf(form::kClientWidthTwips), ui::pixelsOf(form::kClientHeightTwips));
    ui::CodePageTextBox box(&form);
    const form::TwipRect& place = form::findControl("txt_answer")->place;
    box.setGeometry(ui::pixelsOf(place.left), ui::pixelsOf(place.top), ui::pixelsOf(place.width), ui::pixelsOf(place.height));
    box.setCodePageText(tenKilobytes());
    form.show();
    typeKeystrokes(box, state);
}

BENCHMARK(KeystrokeWithDrafts)->Iterations(2000)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeWithoutDrafts)->Iterations(2000)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    cj::bench::drawOffscreenUnlessAsked();
    QApplication app(argc, argv);
    return cj::bench::runWithRatios(argc, argv,
                                    {{"KeystrokeWithDrafts", "KeystrokeWithoutDrafts", 1.1, bench::Timing::Processor}});
}
