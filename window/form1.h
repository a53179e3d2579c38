#pragma once

// What the window does when the user acts: move a scroll bar, type a value
// on one, calculate, reset, end, print. It keeps a value being typed; for
// each value label, a count of the captions written there (so that a
// refusal's reason gives way only to what it replaced); the readings the
// result on show was calculated from (so that a result they no longer
// match is marked); and, while a print's failure is on screen, how many
// prints it tells of and why. Every operation reads the positions from the
// bars as it runs and writes captions back. Laying out the controls,
// routing their events here and deciding which keys mean what is the Qt
// window's job.

#include "window/form_controls.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace window {

// Shown when the window could not be printed, followed by the reason.
inline constexpr std::string_view kPrintFailedMessage =
    "ウィンドウを印刷できませんでした。プリンタを確認してください。";

// The message for a print that did not reach the print system; for
// `notMade` prints more than one (presses during one outage), it says how
// many.
std::string PrintFailedMessage(platform::PrintOutcome outcome, int notMade = 1);
// The short phrase in it that says why; empty for an accepted print.
std::string_view PrintFailureReason(platform::PrintOutcome outcome);

// The mark of a result calculated from readings the bars no longer show:
// under the result, and after it in what a reader hears and a copy
// carries. The result itself stays as it was calculated.
inline constexpr std::string_view kStaleResultMark = "（計算後に値が変わりました）";
// What a reader hears when 「リセット」 has put everything back.
inline constexpr std::string_view kResetDone = "すべてのバーを最初の値に戻し、残余度数を消しました";

// How long a refused entry's reason stays in the value label.
inline constexpr std::chrono::milliseconds kRefusalShown{2000};
// Longer entries would not fit the value label; keys past this are refused.
inline constexpr std::size_t kLongestEntry = 8;

class Form1 final {
public:
    explicit Form1(FormControls& controls) : m_controls(controls) {}

    // The window has opened, its bars at their designed positions: the
    // value labels show them. Nothing is announced.
    void Open();

    // The bar's position changed: its value label follows, and a value being
    // typed on the bar is dropped. The result label keeps what it showed; it
    // is marked (kStaleResultMark) while the bars' readings differ from
    // those it was calculated from, and unmarked once they are the same again.
    void ScrollChange(ScrollBar bar);
    // The thumb is being dragged: the value label shows the reading the bar
    // will take on release, when ScrollChange follows.
    void ThumbDragged(ScrollBar bar, power::ScrollPosition position);

    // A key typed on the focused bar (UTF-8). A digit, sign or point (a
    // comma counts as one) starts or extends the bar's entry, shown in its
    // value label. Any other key, typed within an entry, is refused as an
    // entry is (below), and the entry stays as it was, shown again once
    // the reason has been; outside an entry it changes nothing.
    void TypeOnBar(ScrollBar bar, std::string_view key);
    // Backspace, Escape, Enter or leaving the bar: each changes nothing when
    // the bar has no entry. Dropping it (Escape, or erasing its last key)
    // shows the reading again, and a reader hears it.
    void EraseTyped(ScrollBar bar);
    void DropTyped(ScrollBar bar);
    // Moves the bar to the entry's value as moving it would (ScrollChange
    // follows, and a reader hears the bar's new value); or leaves the bar as
    // it was and shows and announces why for kRefusalShown, with a beep.
    // Either way the entry is gone. A value that reads as the bar read
    // before is announced, since a reader hears no change: the bar's own
    // position, or axis 0 for 180 (the thumb goes to the other end).
    void ApplyTyped(ScrollBar bar);

    // Result label := caption of check reading minus measured reading, and
    // a reader hears it.
    void Calculate();
    // Back to the designed state: entry dropped, result cleared, value
    // captions, then bars; then a reader hears kResetDone, once.
    void Reset();
    void EndProgram();
    // Prints the window; once the print system has answered, tells the user
    // if the job was not accepted. Prints that fail while that message is
    // still up (presses during one outage) are told in the same message,
    // which counts those that cannot come out any more; one that may still
    // come out keeps saying so. Changes nothing else.
    void PrintWindow();

private:
    struct Entry final {
        ScrollBar bar;
        std::string typed;
    };

    // A refusal's reason, as the value label shows it now.
    struct Refusal final {
        ScrollBar bar;
        unsigned write;
        std::string reason;
    };

    bool HasEntry(ScrollBar bar) const { return m_entry && m_entry->bar == bar; }
    void WriteValueLabel(ScrollBar bar, std::string_view caption);
    std::string ShowReading(ScrollBar bar);  // returns the caption shown
    void Refuse(ScrollBar bar, const std::string& reason);
    void ToDesignedState();
    void MarkResultIfStale();
    void MarkResult(bool stale);  // only a change reaches the label

    FormControls& m_controls;
    std::optional<Entry> m_entry;
    // Captions written in each bar's value label so far: a refusal's reason
    // gives way to the reading only if it is still what the label shows.
    std::array<unsigned, power::kBarMeanings.size()> m_valueLabelWrites{};
    std::optional<Refusal> m_refusal;
    // What the result on show was calculated from, while there is one.
    std::optional<power::ScrollPositions> m_resultFrom;
    bool m_resultMarked = false;
    // The prints that the message on screen tells of as not made (never
    // one that may still come out), and why.
    int m_printsNotMade = 0;
    platform::PrintOutcome m_whyNotMade = platform::PrintOutcome::Accepted;
};

}  // namespace window
