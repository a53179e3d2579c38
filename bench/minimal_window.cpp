// The yardstick for start-up: the smallest Qt Widgets program that shows a
// window of the same client size. With --text it also shows two Japanese
// labels, one in each IPA face the window draws most of its text with:
// what starting fontconfig and loading the faces costs any such window.

#include "window/qt/form1_layout.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(window::qt::ToPixels(window::qt::kClientWidthTwips), window::qt::ToPixels(window::qt::kClientHeightTwips));
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        auto* gothic = new QLabel(QStringLiteral("残余度数は・・・"), &window);
        gothic->setFont(QFont(QStringLiteral("IPAGothic")));
        auto* proportional = new QLabel(QStringLiteral("遠用度数確認値"), &window);
        proportional->setFont(QFont(QStringLiteral("IPAPGothic")));
        proportional->move(0, 40);
    }
    window.show();
    return QApplication::exec();
}
