#pragma once

// The controls of the window as the form's behaviour sees them: six scroll
// bars, the labels it writes, and the window services it asks for. The Qt
// window implements this; tests use a model of it. Layout, fonts and event
// wiring are the implementation's business, not this interface's.

#include "platform/printing/print_outcome.h"
#include "power/lens_reading.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string_view>

namespace window {

enum class ScrollBar { HScroll1, HScroll2, HScroll3, HScroll4, HScroll5, HScroll6 };

// The labels whose captions change at run time: the result, then one value
// label for each scroll bar.
enum class Label { Label6, Label7, Label8, Label9, Label10, Label11, Label12 };

// For tables kept in the order of the enums: HScroll1 -> 0, Label6 -> 0.
constexpr std::size_t Index(ScrollBar bar)
{
    return static_cast<std::size_t>(bar);
}

constexpr std::size_t Index(Label label)
{
    return static_cast<std::size_t>(label);
}

// How many labels the form writes: one for each value of Label.
inline constexpr std::size_t kLabelCount = Index(Label::Label12) + 1;

class FormControls {
public:
    virtual ~FormControls() = default;

    virtual power::ScrollPosition Position(ScrollBar bar) const = 0;
    // Moves the bar. If the position differs from the current one, the bar's
    // change notification runs before this returns; if not, nothing is raised.
    virtual void SetPosition(ScrollBar bar, power::ScrollPosition position) = 0;
    // Shows the caption (UTF-8) in the label.
    virtual void SetCaption(Label label, std::string_view caption) = 0;
    // Marks the label's caption, which stays as it is, as one that no
    // longer holds: shown muted with `mark` (UTF-8) under it, and heard and
    // copied as the caption followed by the mark, until the mark is set
    // empty again. Unmarked, the label is as designed.
    virtual void MarkCaption(Label label, std::string_view mark) = 0;
    // Has a running screen reader say the text (UTF-8) now, without moving
    // the focus; nothing on screen changes.
    virtual void Announce(std::string_view text) = 0;

    // Ends the program: the window closes and no further notification comes.
    virtual void End() = 0;
    // Sends an image of the window to the default printer. Returns at once,
    // before the print system has answered; `done` runs later, on the
    // thread every notification comes on, with how the print ended. Nothing
    // on screen changes either way.
    using PrintDone = std::function<void(platform::PrintOutcome)>;
    virtual void SendToPrinter(PrintDone done) = 0;
    // Tells the user something went wrong, without stopping the program.
    // One message at a time: while one is still shown, a new one takes its
    // place in the same box, and a running screen reader says it.
    virtual void ShowMessage(std::string_view message) = 0;  // UTF-8
    // A message is on screen, not yet closed by the user.
    virtual bool MessageShown() const = 0;
    // The system's warning sound, where there is one.
    virtual void Beep() = 0;
    // Runs `action` once after `delay`, on the thread every notification
    // comes on; never once the window has ended.
    virtual void After(std::chrono::milliseconds delay, std::function<void()> action) = 0;

protected:
    FormControls() = default;
    FormControls(const FormControls&) = default;
    FormControls(FormControls&&) = default;
    FormControls& operator=(const FormControls&) = default;
    FormControls& operator=(FormControls&&) = default;
};

}  // namespace window
