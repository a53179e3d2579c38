#include "tests/window/model_controls.h"

#include "window/form_design.h"
#include "window/qt/form1_layout.h"

#include <algorithm>
#include <utility>

namespace window::testing {

std::string NameOf(ScrollBar bar)
{
    return std::string(qt::ControlOf(bar).name);
}

std::string NameOf(Label label)
{
    return std::string(qt::ControlOf(label).name);
}

ModelControls::ModelControls()
{
    for (const BarDesign& design : kBarDesigns) {
        m_positions[Index(design.bar)] = design.designedPosition;
    }
    m_form.Open();
    m_log.clear();
}

power::ScrollPosition ModelControls::Position(ScrollBar bar) const
{
    return m_positions[Index(bar)];
}

void ModelControls::SetPosition(ScrollBar bar, power::ScrollPosition position)
{
    const power::PositionRange range = power::RangeOf(MeaningOf(bar).kind);
    position = std::clamp(position, range.minimum, range.maximum);
    m_log.push_back("position " + NameOf(bar) + " " + std::to_string(position));
    if (position == m_positions[Index(bar)]) {
        return;
    }
    m_positions[Index(bar)] = position;
    m_log.push_back("change " + NameOf(bar));
    m_form.ScrollChange(bar);
}

void ModelControls::SetCaption(Label label, std::string_view caption)
{
    m_log.push_back("caption " + NameOf(label) + " " + std::string(caption));
    m_captions[Index(label)] = caption;
}

void ModelControls::MarkCaption(Label label, std::string_view mark)
{
    m_log.push_back("mark " + NameOf(label) + " " + std::string(mark));
    m_marks[Index(label)] = mark;
}

void ModelControls::ShowMessage(std::string_view message)
{
    if (m_messageShown) {
        m_messages.back() = message;
    } else {
        m_messages.emplace_back(message);
    }
    m_messageShown = true;
}

void ModelControls::SendToPrinter(PrintDone done)
{
    ++m_printJobs;
    m_waitingPrints.push_back(std::move(done));
}

void ModelControls::AnswerPrint(platform::PrintOutcome outcome)
{
    PrintDone done = std::move(m_waitingPrints.front());
    m_waitingPrints.pop_front();
    done(outcome);
}

void ModelControls::RunLater()
{
    for (const auto& action : std::exchange(m_later, {})) {
        action();
    }
}

const std::string& ModelControls::Caption(Label label) const
{
    return m_captions[Index(label)];
}

}  // namespace window::testing
