#pragma once

// Form1 as a Qt window: builds the controls from the layout table, routes
// each control's event to one Form1 operation, and gives Form1 the controls
// it asks for; what Form1 announces reaches screen readers through an
// announcer. Its one addition to the designed window: the result can be
// copied, by any of the platform's copy keys (Ctrl+C, Ctrl+Insert) or by
// 「コピー」 on a right-click over it, to the clipboard and, where there is
// one (X11), the selection. The behaviour itself lives in Form1; whether the
// screen shows the table's colours or the system's is
// platform::ScreenScheme()'s call.

#include "platform/printing/qt/window_printer.h"
#include "platform/qt/announcer.h"
#include "window/form1.h"
#include "window/form_controls.h"
#include "window/qt/form1_layout.h"

#include <QWidget>

#include <array>

class QAction;
class QMessageBox;

namespace window::qt {

class FormLabel;
class FormScrollBar;

class Form1Window final : public QWidget, public FormControls {
    Q_OBJECT

public:
    // When the message box is made, hidden, for a print that may fail:
    // long after the window has mapped.
    static constexpr std::chrono::milliseconds kMessageBoxMadeAfter{500};

    explicit Form1Window(QWidget* parent = nullptr);

    power::ScrollPosition Position(ScrollBar bar) const override;
    void SetPosition(ScrollBar bar, power::ScrollPosition position) override;
    void SetCaption(Label label, std::string_view caption) override;
    void MarkCaption(Label label, std::string_view mark) override;
    void Announce(std::string_view text) override;
    void End() override;
    void SendToPrinter(PrintDone done) override;
    void ShowMessage(std::string_view message) override;
    bool MessageShown() const override;
    void Beep() override;
    void After(std::chrono::milliseconds delay, std::function<void()> action) override;

    // The result as a reader hears it (with its mark, if any), to the
    // clipboard and the selection; nothing when there is none.
    void CopyResult() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Creates one control of the table and wires its event to Form1.
    QWidget* AddControl(const ControlDescription& description);
    void Run(Command command);
    QMessageBox& MessageBox();  // the one message box, made the first time it is needed

    platform::Announcer* m_announcer = new platform::Announcer(this);
    Form1 m_form{*this};
    // After m_form: destroyed first, so no print reports to a form that is gone.
    platform::WindowPrinter m_printer;
    std::array<FormScrollBar*, power::kBarMeanings.size()> m_bars{};
    std::array<FormLabel*, kLabelCount> m_labels{};
    QAction* m_copy = nullptr;  // offered by its keys and in the result's menu
    QMessageBox* m_message = nullptr;  // the one message box, made by MessageBox
};

}  // namespace window::qt
