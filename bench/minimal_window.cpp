// The yardstick for start-up: the smallest Qt Widgets program that shows a
// window of the same client size. With --text it also shows one line of
// Japanese text, which is what starts fontconfig and loads a face.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(632, 408);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        new QLabel(QStringLiteral("遠用度数確認値"), &window);
    }
    window.show();
    return QApplication::exec();
}
