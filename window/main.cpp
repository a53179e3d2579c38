#include "platform/qt/application.h"
#include "window/qt/form1_window.h"
#include "window/qt/form_scroll_bar.h"

int main(int argc, char* argv[])
{
    const auto application = platform::StartApplication(argc, argv, {window::qt::FormScrollBar::AccessibleInterface});
    window::qt::Form1Window form;
    form.show();
    return QApplication::exec();
}
