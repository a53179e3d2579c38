#pragma once

// Form1 as a Qt window: builds the controls from the layout table, routes
// each control's event to one Form1 operation, and gives Form1 the controls
// it asks for. The behaviour itself lives in Form1; whether the screen shows
// the table's colours or the system's is platform::ScreenScheme()'s call.

#include "platform/printing/qt/window_printer.h"
#include "window/form1.h"
#include "window/form_controls.h"
#include "window/qt/form1_layout.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QMessageBox;

namespace window::qt {

class FormLabel;
class FormScrollBar;

class Form1Window final : public QWidget, public FormControls {
    Q_OBJECT

public:
    explicit Form1Window(QWidget* parent = nullptr);

    power::ScrollPosition Position(ScrollBar bar) const override;
    void SetPosition(ScrollBar bar, power::ScrollPosition position) override;
    void SetCaption(Label label, std::string_view caption) override;
    void End() override;
    void SendToPrinter(PrintDone done) override;
    void ShowMessage(std::string_view message) override;
    bool MessageShown() const override;
    void Beep() override;
    void After(std::chrono::milliseconds delay, std::function<void()> action) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Creates one control of the table and wires its event to Form1.
    QWidget* AddControl(const ControlDescription& description);
    void Run(Command command);

    Form1 m_form{*this};
    // After m_form: destroyed first, so no print reports to a form that is gone.
    platform::WindowPrinter m_printer;
    std::array<FormScrollBar*, 6> m_bars{};
    std::array<FormLabel*, 7> m_labels{};
    QPointer<QMessageBox> m_message;  // the one message box, while it is open
};

}  // namespace window::qt
