#include "window/form1.h"

#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "window/form_design.h"

namespace window {

void Form1::ScrollChange(ScrollBar bar)
{
    const BarDesign& design = DesignOf(bar);
    m_controls.SetCaption(design.valueLabel, ValueCaption(design.kind, m_controls.Position(bar)));
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
        m_controls.SetCaption(design.valueLabel, design.designedCaption);
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
    m_controls.PrintWindow([this](platform::PrintOutcome outcome) {
        if (outcome != platform::PrintOutcome::Accepted) {
            m_controls.ShowMessage(PrintFailedMessage(outcome));
        }
    });
}

std::string PrintFailedMessage(platform::PrintOutcome outcome)
{
    std::string_view reason;
    switch (outcome) {
    case platform::PrintOutcome::Accepted:
        break;
    case platform::PrintOutcome::NoPrinter:
        reason = "既定のプリンタがありません";
        break;
    case platform::PrintOutcome::NoServer:
        reason = "印刷サーバーに接続できません";
        break;
    case platform::PrintOutcome::NotAccepting:
        reason = "プリンタが印刷を受け付けていません";
        break;
    case platform::PrintOutcome::NoAnswer:
        reason = "印刷サーバーが応答しません";
        break;
    case platform::PrintOutcome::SendFailed:
        reason = "印刷データを送れませんでした";
        break;
    }
    return std::string(kPrintFailedMessage) + "（" + std::string(reason) + "）";
}

}  // namespace window
