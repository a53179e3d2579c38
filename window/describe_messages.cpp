// Writes every text the program shows or says, as its own definitions make
// them, for the test that holds the manuals to them; the setup program's
// texts are its script's (packaging/windows/pelmaro.nsi). One line a text,
// its kind and the text separated by a tab; a message of several lines is
// its lines. The manuals list every reason, refusal and no-window line:
//   reason     既定のプリンタがありません          why a print was not made
//   refusal    範囲外                              why a typed value was not taken
//   no-window  pelmaro: cannot connect to the X display "…"; …   (… varies)
//   text       3回分の印刷ができませんでした。      any other: a message's line,
//                                                  a caption, a face

#include "platform/no_window.h"
#include "platform/printing/job_name.h"
#include "power/typed_entry.h"
#include "window/form1.h"
#include "window/qt/form1_layout.h"

#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

// Each line once, however many bars or messages share it.
void Write(std::string_view kind, std::string_view text)
{
    static std::set<std::string> written;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string line = std::string(kind).append("\t").append(text.substr(0, end));
        if (written.insert(line).second) {
            std::cout << line << '\n';
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// An enum class's values from `first` on, in order, up to the first one
// `words` has none for: each switch that words a value lists them all and
// returns nothing past the last, so a value added there is listed here.
template <typename Enum, typename Words>
std::vector<Enum> ValuesFrom(Enum first, Words words)
{
    std::vector<Enum> values;
    for (auto i = static_cast<std::underlying_type_t<Enum>>(first);
         !std::string_view(words(static_cast<Enum>(i))).empty(); ++i) {
        values.push_back(static_cast<Enum>(i));
    }
    return values;
}

}  // namespace

int main()
{
    using platform::PrintOutcome;
    Write("text", window::kPrintFailedMessage);
    // Accepted, the first outcome, is the one without a message.
    const auto firstFailure = static_cast<PrintOutcome>(static_cast<int>(PrintOutcome::Accepted) + 1);
    for (const PrintOutcome outcome : ValuesFrom(firstFailure, window::PrintFailureReason)) {
        Write("reason", window::PrintFailureReason(outcome));
        Write("text", window::PrintFailedMessage(outcome, 3));  // counting three prints, as the manuals do
    }

    Write("text", platform::JobName(window::qt::kForm1Name, "…", "…"));
    Write("text", window::kStaleResultMark);
    Write("text", window::kResetDone);

    for (const power::BarMeaning& meaning : power::kBarMeanings) {
        const auto caption = [&meaning](power::EntryRefusal why) { return power::RefusalCaption(meaning.kind, why); };
        for (const power::EntryRefusal why : ValuesFrom(power::EntryRefusal{}, caption)) {
            Write("refusal", caption(why));
        }
    }

    for (const platform::NoWindow why : ValuesFrom(platform::NoWindow{}, platform::NoWindowText)) {
        std::string line = std::string(platform::kNoWindowPrefix).append(platform::NoWindowText(why));
        if (const std::size_t at = line.find("%1"); at != std::string::npos) {
            line.replace(at, 2, "…");
        }
        Write("no-window", line);
    }

    for (const window::qt::ControlDescription& control : window::qt::kForm1Controls) {
        Write("text", control.caption);
        Write("text", control.font.family);
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
