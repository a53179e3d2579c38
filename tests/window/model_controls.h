#pragma once

// A model of the window's controls for driving Form1 without Qt. Positions
// are clamped to each bar's range as a real bar would; a write that changes
// a position raises the change notification at once, nested inside the
// write; every caption write, position write and notification is logged in
// order.

#include "window/form1.h"
#include "window/form_controls.h"

#include <array>
#include <deque>
#include <string>
#include <vector>

namespace window::testing {

class ModelControls final : public FormControls {
public:
    // Starts in the designed state and routes notifications to a Form1 of its own.
    ModelControls();

    power::ScrollPosition Position(ScrollBar bar) const override;
    void SetPosition(ScrollBar bar, power::ScrollPosition position) override;
    void SetCaption(Label label, std::string_view caption) override;
    void MarkCaption(Label label, std::string_view mark) override;
    void Announce(std::string_view text) override { m_log.push_back("say " + std::string(text)); }
    void End() override { m_ended = true; }
    void SendToPrinter(PrintDone done) override;
    void ShowMessage(std::string_view message) override;
    bool MessageShown() const override { return m_messageShown; }
    void Beep() override { m_log.emplace_back("beep"); }
    void After(std::chrono::milliseconds /*delay*/, std::function<void()> action) override { m_later.push_back(std::move(action)); }

    // What the user does: moves a bar (arrow, trough, drag or key), clicks a button.
    void Move(ScrollBar bar, power::ScrollPosition position) { SetPosition(bar, position); }
    Form1& form() { return m_form; }

    const std::string& Caption(Label label) const;
    const std::string& Mark(Label label) const { return m_marks[Index(label)]; }
    const std::vector<std::string>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }
    // Every message box shown, with what it says last.
    const std::vector<std::string>& Messages() const { return m_messages; }
    void CloseMessage() { m_messageShown = false; }
    bool Ended() const { return m_ended; }
    int PrintJobs() const { return m_printJobs; }
    // The print system answers the oldest print still waiting.
    void AnswerPrint(platform::PrintOutcome outcome);
    // Time passes: every action asked for with After runs, oldest first.
    void RunLater();

private:
    Form1 m_form{*this};
    power::ScrollPositions m_positions{};
    std::array<std::string, kLabelCount> m_captions{};
    std::array<std::string, kLabelCount> m_marks{};
    std::vector<std::string> m_log;
    std::vector<std::string> m_messages;
    bool m_messageShown = false;
    bool m_ended = false;
    int m_printJobs = 0;
    std::deque<PrintDone> m_waitingPrints;
    std::vector<std::function<void()>> m_later;
};

// The form's names, as the layout table has them: "HScroll5", "Label6".
std::string NameOf(ScrollBar bar);
std::string NameOf(Label label);

}  // namespace window::testing
