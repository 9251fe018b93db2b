#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <utility>
#include <vector>

#include "picture_box.h"
#include "window_fixture.h"

namespace cj::test {
namespace {

// Where an image is dark: circles are black on white, or on nothing.
std::vector<std::pair<int, int>> inkOf(const QImage& image) {
    std::vector<std::pair<int, int>> ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0 && qGray(image.pixel(x, y)) < 128) ink.emplace_back(x, y);
        }
    }
    return ink;
}

bool hasInk(const QImage& image) { return !inkOf(image).empty(); }

// What a box shows inside its frame.
QImage shown(ui::PictureBox& box) { return box.grab(box.contentsRect()).toImage(); }

QPixmap circles() {
    QPixmap pixmap(80, 60);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawEllipse(QPoint(40, 30), 20, 20);
    painter.drawEllipse(QPoint(40, 30), 8, 8);
    return pixmap;
}

QPixmap filled(Qt::GlobalColor colour) {
    QPixmap pixmap(12, 8);
    pixmap.fill(colour);
    return pixmap;
}

class PicturePanelTest : public WindowTest {
protected:
    PicturePanelTest() {
        loadStudentOne();
        window.show();
        picture1 = window.findChild<ui::PictureBox*>("Picture1");
        picture2 = window.findChild<ui::PictureBox*>("Picture2");
        timer = window.findChild<QTimer*>("tmr_pend_exp");
    }
    void click(const char* button) { QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton); }
    // Waits until the timer has drawn at least this many circles.
    bool waitForDraws(int draws) {
        return QTest::qWaitFor([&] { return random.drawn >= draws; }, 2000);
    }

    ui::PictureBox* picture1 = nullptr;
    ui::PictureBox* picture2 = nullptr;
    QTimer* timer = nullptr;
};

TEST_F(PicturePanelTest, NothingIsDrawnUntilPendExpStartsTheTimer) {
    click("cmd_timerTrigger");
    QTest::qWait(60);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(picture1->drawing().isNull());

    const int afterHeader = random.drawn;
    random.draws = {0.9f, 0.5f, 0.25f};
    click("cmd_pend_exp");
    click("cmd_pend_exp");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 15);
    int running = 0;
    for (const QTimer* t : window.findChildren<QTimer*>()) running += t->isActive();
    EXPECT_EQ(running, 1);

    ASSERT_TRUE(waitForDraws(afterHeader + 3));
    EXPECT_TRUE(hasInk(picture1->drawing()));
}

TEST_F(PicturePanelTest, CirclesSurviveTheWindowBeingHiddenAndShown) {
    const int afterHeader = random.drawn;
    random.draws = {0.2f, 0.6f};
    click("cmd_pend_exp");
    ASSERT_TRUE(waitForDraws(afterHeader + 2));
    timer->stop();  // so that the drawing holds still
    const auto drawn = inkOf(picture1->drawing());
    ASSERT_FALSE(drawn.empty());
    window.hide();
    window.show();
    QTest::qWait(30);
    EXPECT_EQ(inkOf(shown(*picture1)), drawn);
}

TEST_F(PicturePanelTest, QuitEndsTheProgramWhileTheTimerRuns) {
    click("cmd_pend_exp");
    ASSERT_TRUE(waitForDraws(random.drawn + 1));
    click("cmd_quit");
    EXPECT_TRUE(window.hasEnded());
    EXPECT_FALSE(timer->isActive());
    const int drawn = random.drawn;
    QTest::qWait(60);
    EXPECT_EQ(random.drawn, drawn);
}

TEST_F(PicturePanelTest, CopyPictureGoesThroughTheClipboard) {
    QClipboard& clipboard = *QGuiApplication::clipboard();
    clipboard.clear();
    click("cmd_copy_picture");
    EXPECT_TRUE(picture2->picture().isNull());

    // Another program's picture stays on the clipboard, since Picture1 has none to put there.
    clipboard.setPixmap(filled(Qt::red));
    click("cmd_copy_picture");
    EXPECT_EQ(picture2->picture().toImage().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(clipboard.pixmap().toImage().pixelColor(0, 0), QColor(Qt::red));

    // Circles in Picture1's picture go across; the timer's, drawn over it, belong to no picture.
    random.draws = {0.9f};
    const int drawn = random.drawn;
    click("cmd_pend_exp");
    ASSERT_TRUE(waitForDraws(drawn + 1));
    timer->stop();
    ASSERT_TRUE(hasInk(picture1->drawing()));
    picture1->setPicture(circles());
    click("cmd_copy_picture");
    const auto copied = inkOf(circles().toImage());
    EXPECT_EQ(inkOf(clipboard.image()), copied);
    EXPECT_EQ(inkOf(picture2->picture().toImage()), copied);
    EXPECT_EQ(inkOf(shown(*picture2)), copied);
}

}  // namespace
}  // namespace cj::test
