#pragma once

// What the window does when the user acts: move a scroll bar, calculate,
// reset, end, print. It keeps no state of its own: every operation reads
// the positions from the bars as it runs and writes captions back. Laying
// out the controls and routing their events here is the Qt window's job.

#include "window/form_controls.h"

#include <string>
#include <string_view>

namespace window {

// Shown when the window could not be printed, followed by the reason.
inline constexpr std::string_view kPrintFailedMessage =
    "ウィンドウを印刷できませんでした。プリンタを確認してください。";

// The message for a print that did not reach the print system.
std::string PrintFailedMessage(platform::PrintOutcome outcome);

class Form1 final {
public:
    explicit Form1(FormControls& controls) : m_controls(controls) {}

    // The bar's position changed: its value label follows. The result label
    // keeps what it showed, even though it no longer matches the inputs.
    void ScrollChange(ScrollBar bar);
    // Result label := caption of check reading minus measured reading.
    void Calculate();
    // Back to the designed state: result cleared, value captions, then bars.
    void Reset();
    void EndProgram();
    // Prints the window; once the print system has answered, tells the user
    // if the job was not accepted. Changes nothing else.
    void PrintWindow();

private:
    FormControls& m_controls;
};

}  // namespace window
