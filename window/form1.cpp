#include "window/form1.h"

#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "power/typed_entry.h"
#include "window/form_design.h"

#include <algorithm>
#include <utility>
#include <variant>

namespace window {

void Form1::WriteValueLabel(ScrollBar bar, std::string_view caption)
{
    ++m_valueLabelWrites[Index(bar)];
    m_controls.SetCaption(DesignOf(bar).valueLabel, caption);
}

std::string Form1::ShowReading(ScrollBar bar)
{
    std::string reading = power::ValueCaption(MeaningOf(bar).kind, m_controls.Position(bar));
    WriteValueLabel(bar, reading);
    return reading;
}

void Form1::Open()
{
    ToDesignedState();
}

void Form1::ScrollChange(ScrollBar bar)
{
    if (HasEntry(bar)) {
        m_entry.reset();
    }
    ShowReading(bar);
    MarkResultIfStale();
}

void Form1::MarkResultIfStale()
{
    if (!m_resultFrom) {
        return;
    }
    // Readings, not positions: an axis bar at either end reads 180.
    MarkResult(std::any_of(kBarDesigns.begin(), kBarDesigns.end(), [this](const BarDesign& design) {
        const power::BarKind kind = MeaningOf(design.bar).kind;
        return power::ValueAt(kind, m_controls.Position(design.bar))
               != power::ValueAt(kind, (*m_resultFrom)[Index(design.bar)]);
    }));
}

void Form1::MarkResult(bool stale)
{
    if (std::exchange(m_resultMarked, stale) != stale) {
        m_controls.MarkCaption(Label::Label6, stale ? kStaleResultMark : "");
    }
}

void Form1::ThumbDragged(ScrollBar bar, power::ScrollPosition position)
{
    if (HasEntry(bar)) {
        m_entry.reset();
    }
    WriteValueLabel(bar, power::ValueCaption(MeaningOf(bar).kind, position));
}

void Form1::TypeOnBar(ScrollBar bar, std::string_view key)
{
    const std::optional<char> character = power::EntryCharacter(key);
    if (!character) {
        if (HasEntry(bar)) {
            Refuse(bar, power::RefusalCaption(MeaningOf(bar).kind, power::EntryRefusal::NotANumber));
        }
        return;
    }
    if (!HasEntry(bar)) {
        // Only the focused bar takes keys; an entry left on another (the
        // window lost the focus meanwhile) gives way.
        if (m_entry) {
            const ScrollBar other = m_entry->bar;
            m_entry.reset();
            ShowReading(other);
        }
        m_entry = Entry{bar, {}};
    }
    if (m_entry->typed.size() >= kLongestEntry) {
        m_controls.Beep();
        return;
    }
    m_entry->typed += *character;
    WriteValueLabel(bar, power::EntryCaption(m_entry->typed));
}

void Form1::EraseTyped(ScrollBar bar)
{
    if (!HasEntry(bar)) {
        return;
    }
    m_entry->typed.pop_back();
    if (m_entry->typed.empty()) {
        DropTyped(bar);
        return;
    }
    WriteValueLabel(bar, power::EntryCaption(m_entry->typed));
}

void Form1::DropTyped(ScrollBar bar)
{
    if (!HasEntry(bar)) {
        return;
    }
    m_entry.reset();
    m_controls.Announce(ShowReading(bar));
}

void Form1::ApplyTyped(ScrollBar bar)
{
    if (!HasEntry(bar)) {
        return;
    }
    const power::BarKind kind = MeaningOf(bar).kind;
    const auto outcome = power::PositionFromEntry(kind, m_entry->typed);
    m_entry.reset();
    if (const auto* position = std::get_if<power::ScrollPosition>(&outcome)) {
        const std::string before = power::ValueCaption(kind, m_controls.Position(bar));
        if (*position == m_controls.Position(bar)) {
            ShowReading(bar);  // the bar raises no change for its own position
        } else {
            m_controls.SetPosition(bar, *position);  // ScrollChange runs nested in here
        }
        // A reader speaks a bar's value when it changes, so one that reads
        // the same would go unheard.
        if (const std::string after = power::ValueCaption(kind, *position); after == before) {
            m_controls.Announce(after);
        }
        return;
    }
    Refuse(bar, power::RefusalCaption(kind, std::get<power::EntryRefusal>(outcome)));
}

void Form1::Refuse(ScrollBar bar, const std::string& reason)
{
    m_controls.Beep();
    // A key held down is refused again and again: its reason is shown and
    // said once, while it stays in the label.
    if (m_refusal && m_refusal->bar == bar && m_refusal->write == m_valueLabelWrites[Index(bar)] &&
        m_refusal->reason == reason) {
        return;
    }
    WriteValueLabel(bar, reason);
    m_controls.Announce(reason);
    // The reason gives way to the entry, or the reading, unless something
    // else has been written in the label since: a new key, a move, a drag,
    // a reset.
    const unsigned written = m_valueLabelWrites[Index(bar)];
    m_refusal = Refusal{bar, written, reason};
    m_controls.After(kRefusalShown, [this, bar, written] {
        if (written != m_valueLabelWrites[Index(bar)]) {
            return;
        }
        if (HasEntry(bar)) {
            WriteValueLabel(bar, power::EntryCaption(m_entry->typed));
        } else {
            ShowReading(bar);
        }
    });
}

void Form1::Calculate()
{
    power::ScrollPositions positions{};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        positions[i] = m_controls.Position(kBarDesigns[i].bar);
    }
    const power::LensPower residual =
        power::ResidualPower(power::CheckReading(positions), power::MeasuredReading(positions));
    const std::string caption = power::ResidualCaption(residual);
    m_resultFrom = positions;
    MarkResult(false);
    m_controls.SetCaption(Label::Label6, caption);
    m_controls.Announce(caption);
}

void Form1::ToDesignedState()
{
    m_entry.reset();
    m_resultFrom.reset();
    m_controls.SetCaption(Label::Label6, "");
    MarkResult(false);
    for (const BarDesign& design : kBarDesigns) {
        WriteValueLabel(design.bar, power::ValueCaption(MeaningOf(design.bar).kind, design.designedPosition));
    }
    // Each move that changes a position runs ScrollChange nested in here,
    // which writes the same designed caption again.
    for (const BarDesign& design : kBarDesigns) {
        m_controls.SetPosition(design.bar, design.designedPosition);
    }
}

void Form1::Reset()
{
    ToDesignedState();
    m_controls.Announce(kResetDone);
}

void Form1::EndProgram()
{
    m_controls.End();
}

void Form1::PrintWindow()
{
    m_controls.SendToPrinter([this](platform::PrintOutcome outcome) {
        if (outcome == platform::PrintOutcome::Accepted) {
            return;
        }
        if (!m_controls.MessageShown()) {
            m_printsNotMade = 0;
            m_whyNotMade = outcome;
        }
        // A page that may still come out is not counted among those not made.
        if (outcome != platform::PrintOutcome::Unsettled) {
            ++m_printsNotMade;
        }
        if (m_whyNotMade != platform::PrintOutcome::Unsettled) {
            m_whyNotMade = outcome;  // the latest reason, unless a page may still come out
        }
        m_controls.ShowMessage(PrintFailedMessage(m_whyNotMade, m_printsNotMade));
    });
}

std::string_view PrintFailureReason(platform::PrintOutcome outcome)
{
    switch (outcome) {
    case platform::PrintOutcome::Accepted: return {};
    case platform::PrintOutcome::NoPrinter: return "既定のプリンタがありません";
    case platform::PrintOutcome::NoServer: return "印刷サーバーに接続できません";
    case platform::PrintOutcome::NotAccepting: return "プリンタが印刷を受け付けていません";
    case platform::PrintOutcome::NotAuthorised: return "このユーザーには印刷が許可されていません";
    case platform::PrintOutcome::NoAnswer: return "印刷サーバーが応答しません";
    case platform::PrintOutcome::SendFailed: return "印刷データを送れませんでした";
    case platform::PrintOutcome::NoPrintSystem: return "印刷システム（CUPS）がインストールされていません";
    case platform::PrintOutcome::PasswordAsked: return "印刷サーバーがパスワードを求めています";
    case platform::PrintOutcome::NoPrintableArea: return "用紙に印刷できる範囲がありません";
    case platform::PrintOutcome::Unsettled: return "印刷サーバーが応答しません。あとで印刷されることがあります";
    }
    return {};
}

std::string PrintFailedMessage(platform::PrintOutcome outcome, int notMade)
{
    const std::string_view reason = PrintFailureReason(outcome);
    std::string message(kPrintFailedMessage);
    if (!reason.empty()) {
        message.append("（").append(reason).append("）");
    }
    if (notMade > 1) {
        message.append("\n").append(std::to_string(notMade)).append("回分の印刷ができませんでした。");
    }
    return message;
}

}  // namespace window
