#include "window/qt/form1_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    window::qt::Form1Window form;
    form.show();
    return QApplication::exec();
}
