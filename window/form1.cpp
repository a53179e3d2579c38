#include "window/form1.h"

#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "window/form_design.h"

namespace window {

void Form1::ScrollChange(ScrollBar bar)
{
    m_controls.SetCaption(DesignOf(bar).valueLabel, ValueCaption(bar, m_controls.Position(bar)));
}

void Form1::Calculate()
{
    power::ScrollPositions positions{};
    for (std::size_t i = 0; i < positions.size(); ++i) {
        positions[i] = m_controls.Position(kBarDesigns[i].bar);
    }
    const power::LensPower residual =
        power::ResidualPower(power::CheckReading(positions), power::MeasuredReading(positions));
    m_controls.SetCaption(Label::Label6, power::ResidualCaption(residual));
}

void Form1::Reset()
{
    m_controls.SetCaption(Label::Label6, "");
    for (const BarDesign& design : kBarDesigns) {
        m_controls.SetCaption(design.valueLabel, ValueCaption(design.bar, design.designedPosition));
    }
    // Each move that changes a position runs ScrollChange nested in here,
    // which writes the same designed caption again.
    for (const BarDesign& design : kBarDesigns) {
        m_controls.SetPosition(design.bar, design.designedPosition);
    }
}

void Form1::EndProgram()
{
    m_controls.End();
}

void Form1::PrintWindow()
{
    m_controls.SendToPrinter([this](platform::PrintOutcome outcome) {
        if (outcome != platform::PrintOutcome::Accepted) {
            m_controls.ShowMessage(PrintFailedMessage(outcome));
        }
    });
}

namespace {

// The short phrase that says why a print did not reach the printer.
std::string_view PrintFailureReason(platform::PrintOutcome outcome)
{
    switch (outcome) {
    case platform::PrintOutcome::Accepted: return {};
    case platform::PrintOutcome::NoPrinter: return "既定のプリンタがありません";
    case platform::PrintOutcome::NoServer: return "印刷サーバーに接続できません";
    case platform::PrintOutcome::NotAccepting: return "プリンタが印刷を受け付けていません";
    case platform::PrintOutcome::NoAnswer: return "印刷サーバーが応答しません";
    case platform::PrintOutcome::SendFailed: return "印刷データを送れませんでした";
    }
    return {};
}

}  // namespace

std::string PrintFailedMessage(platform::PrintOutcome outcome)
{
    const std::string_view reason = PrintFailureReason(outcome);
    if (reason.empty()) {
        return std::string(kPrintFailedMessage);
    }
    return std::string(kPrintFailedMessage) + "（" + std::string(reason) + "）";
}

}  // namespace window
