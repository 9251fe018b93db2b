// Saves what an X window shows as a PNG file: how scripts/screenshot.sh takes the README's
// picture of the real window.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW-ID FILE.png\n", argv[0]);
        return 2;
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(std::strtoull(argv[1], nullptr, 0));
    return !shot.isNull() && shot.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
