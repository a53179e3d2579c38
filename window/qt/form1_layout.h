#pragma once

// The window's 29 controls as data: name, kind, caption, position and size
// in twips, tab index, font and colours, and what each one is wired to. One
// loop in Form1Window builds the widgets from it; nothing here knows Qt. The
// value labels' captions are not here: they come from the bars' positions.

#include "platform/font_description.h"
#include "power/notation.h"
#include "window/form_design.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace window::qt {

inline constexpr int kTwipsPerPixel = 15;  // 1440 twips to the inch at 96 dpi
// The window's name and caption, which a print's job is named after too.
inline constexpr std::string_view kForm1Name = "Form1";
inline constexpr int kClientWidthTwips = 9480;   // 632 px
inline constexpr int kClientHeightTwips = 6120;  // 408 px

constexpr int ToPixels(int twips)
{
    return twips / kTwipsPerPixel;
}

struct TwipsRect final {
    int left;
    int top;
    int width;
    int height;
};

struct Rgb final {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr Rgb kBlueText{0, 0, 255};
inline constexpr Rgb kMagentaText{255, 0, 255};
inline constexpr Rgb kLightYellow{255, 255, 192};
inline constexpr Rgb kLightOrange{255, 192, 128};

struct ControlStyle final {
    std::optional<Rgb> text;
    std::optional<Rgb> background;  // a label's background, a button's face
    bool centred = false;
};

inline constexpr ControlStyle kDefaultColours{};
inline constexpr ControlStyle kBlue{kBlueText, {}, false};
inline constexpr ControlStyle kBlueCentred{kBlueText, {}, true};
inline constexpr ControlStyle kBlueOnYellowCentred{kBlueText, kLightYellow, true};
inline constexpr ControlStyle kMagenta{kMagentaText, {}, false};
inline constexpr ControlStyle kLightOrangeFace{{}, kLightOrange, false};

using platform::FontDescription;
inline constexpr FontDescription kWindowFont{"ＭＳ Ｐゴシック", 9.0};
inline constexpr FontDescription kPopTitle{"HGP創英角ﾎﾟｯﾌﾟ体", 18.0, false, true};
inline constexpr FontDescription kPopStep{"@HGP創英角ﾎﾟｯﾌﾟ体", 14.25, false, true};
inline constexpr FontDescription kGothicIntro{"ＭＳ ゴシック", 9.75, true};
inline constexpr FontDescription kGothicBold{"ＭＳ ゴシック", 14.25, true};
inline constexpr FontDescription kGothicButton{"ＭＳ ゴシック", 9.0};
inline constexpr FontDescription kPGothicBold{"ＭＳ Ｐゴシック", 14.25, true};
inline constexpr FontDescription kPGothicResult{"ＭＳ Ｐゴシック", 18.0, true};

enum class ControlKind { Label, ScrollBar, PushButton };
enum class Command { Calculate, Reset, EndProgram, PrintWindow };

struct ControlDescription final {
    std::string_view name;     // the Qt object name
    ControlKind kind;
    std::string_view caption;  // UTF-8
    TwipsRect geometry;
    int tabIndex;              // only buttons and scroll bars take the focus
    FontDescription font;
    ControlStyle style;
    std::optional<Label> label;    // a label the form writes at run time
    std::optional<ScrollBar> bar;  // a scroll bar
    std::optional<Command> command;  // a push button
    // The row and column a scroll bar or value label belongs to, spoken as
    // the bar's accessible name and the value label's description.
    std::string_view row;
    std::string_view column;
};

inline constexpr std::string_view kCheckRow = "遠用度数確認値";
inline constexpr std::string_view kMeasuredRow = "遠用度数実測値（レンズメータ）";

constexpr std::string_view RowCaption(power::Row row)
{
    switch (row) {
    case power::Row::Check: return kCheckRow;
    case power::Row::Measured: return kMeasuredRow;
    }
    return {};
}

// The column headings are the letters the result line uses: Ｓ, Ｃ, Ａ.
constexpr std::string_view ColumnCaption(power::BarKind kind)
{
    switch (kind) {
    case power::BarKind::Sphere: return power::notation::kSphere;
    case power::BarKind::Cylinder: return power::notation::kCylinder;
    case power::BarKind::Axis: return power::notation::kAxis;
    }
    return {};
}

inline constexpr std::string_view kSphereColumn = ColumnCaption(power::BarKind::Sphere);
inline constexpr std::string_view kCylinderColumn = ColumnCaption(power::BarKind::Cylinder);
inline constexpr std::string_view kAxisColumn = ColumnCaption(power::BarKind::Axis);

constexpr ControlDescription LabelControl(std::string_view name, std::string_view caption,
                                          TwipsRect geometry, int tabIndex,
                                          FontDescription font, ControlStyle style)
{
    return {name, ControlKind::Label, caption, geometry, tabIndex, font, style, {}, {}, {}, {}, {}};
}

// A label that shows a scroll bar's value; its caption comes from the bar.
constexpr ControlDescription ValueLabelControl(std::string_view name, TwipsRect geometry,
                                               int tabIndex, ScrollBar bar)
{
    return {name, ControlKind::Label, {}, geometry, tabIndex, kPGothicBold, kBlueCentred,
            DesignOf(bar).valueLabel, {}, {}, RowCaption(MeaningOf(bar).row),
            ColumnCaption(MeaningOf(bar).kind)};
}

constexpr ControlDescription ScrollBarControl(std::string_view name, TwipsRect geometry,
                                              int tabIndex, ScrollBar bar)
{
    return {name, ControlKind::ScrollBar, {}, geometry, tabIndex, kWindowFont, kDefaultColours,
            {}, bar, {}, RowCaption(MeaningOf(bar).row), ColumnCaption(MeaningOf(bar).kind)};
}

constexpr ControlDescription ButtonControl(std::string_view name, std::string_view caption,
                                           TwipsRect geometry, int tabIndex,
                                           FontDescription font, ControlStyle style,
                                           Command command)
{
    return {name, ControlKind::PushButton, caption, geometry, tabIndex, font, style, {}, {},
            command, {}, {}};
}

// Top to bottom, as the window stacks them: a later control lies over an
// earlier one where they overlap. Labels are transparent, so a column
// heading stays readable under the value label beside it.
inline constexpr std::array<ControlDescription, 29> kForm1Controls{{
    LabelControl("Label1", "Pelmaro", {360, 240, 4095, 375}, 25, kPopTitle, kBlueOnYellowCentred),
    LabelControl("Label2",
                 "累進レンズの遠用度数確認値とレンズメータによる実測値を入力し残余乱視（度数誤差）を自動計算します。",
                 {4680, 240, 4575, 615}, 24, kGothicIntro, kDefaultColours),
    LabelControl("Label13", "(0.01D STEP)", {1440, 720, 2175, 255}, 28, kPopStep, kBlueOnYellowCentred),
    LabelControl("Label3(0)", kCheckRow, {360, 1440, 2415, 375}, 23, kPGothicBold, kBlue),
    LabelControl("Label3(3)", kSphereColumn, {2880, 1440, 495, 375}, 26, kPGothicBold, kBlue),
    ValueLabelControl("Label7", {3120, 1440, 1335, 375}, 15, ScrollBar::HScroll1),
    LabelControl("Label3(1)", kCylinderColumn, {4560, 1440, 495, 375}, 21, kPGothicBold, kBlue),
    ValueLabelControl("Label8", {4800, 1440, 1215, 375}, 14, ScrollBar::HScroll2),
    LabelControl("Label3(2)", kAxisColumn, {6240, 1440, 495, 375}, 20, kPGothicBold, kBlue),
    ValueLabelControl("Label9", {6480, 1440, 1215, 375}, 13, ScrollBar::HScroll3),
    ScrollBarControl("HScroll1", {2880, 1920, 1335, 255}, 6, ScrollBar::HScroll1),
    ScrollBarControl("HScroll2", {4560, 1920, 1335, 255}, 5, ScrollBar::HScroll2),
    ScrollBarControl("HScroll3", {6240, 1920, 1335, 255}, 4, ScrollBar::HScroll3),
    LabelControl("Label4", kMeasuredRow, {360, 2520, 2175, 615}, 22, kPGothicBold, kBlue),
    LabelControl("Label3(6)", kSphereColumn, {2880, 2520, 495, 375}, 27, kPGothicBold, kBlue),
    ValueLabelControl("Label10", {3120, 2520, 1335, 375}, 12, ScrollBar::HScroll4),
    LabelControl("Label3(4)", kCylinderColumn, {4560, 2520, 495, 375}, 19, kPGothicBold, kBlue),
    ValueLabelControl("Label11", {4800, 2520, 1215, 255}, 11, ScrollBar::HScroll5),
    LabelControl("Label3(5)", kAxisColumn, {6240, 2520, 735, 375}, 18, kPGothicBold, kBlue),
    ValueLabelControl("Label12", {6480, 2520, 1215, 375}, 10, ScrollBar::HScroll6),
    ScrollBarControl("HScroll4", {2880, 3000, 1335, 255}, 3, ScrollBar::HScroll4),
    ScrollBarControl("HScroll5", {4560, 3000, 1335, 255}, 2, ScrollBar::HScroll5),
    ScrollBarControl("HScroll6", {6240, 3000, 1335, 255}, 1, ScrollBar::HScroll6),
    LabelControl("Label5", "残余度数は・・・", {1080, 3720, 5655, 375}, 17, kGothicBold, kMagenta),
    ButtonControl("Command1", "計 算", {6960, 3960, 1335, 855}, 9, kGothicButton, kLightOrangeFace, Command::Calculate),
    {"Label6", ControlKind::Label, "", {1200, 4200, 5535, 615}, 16, kPGothicResult, kBlueCentred,
     Label::Label6, {}, {}, {}, {}},
    ButtonControl("Command2", "リセット", {5160, 5160, 1095, 615}, 8, kGothicButton, kDefaultColours, Command::Reset),
    ButtonControl("Command3", "ＥＮＤ", {6960, 5160, 1095, 615}, 7, kWindowFont, kDefaultColours, Command::EndProgram),
    ButtonControl("print", "print", {3600, 5280, 855, 375}, 0, kWindowFont, kDefaultColours, Command::PrintWindow),
}};

// The control that is the bar, or the label the form writes: its name is
// the bar's or the label's in messages, logs and tests alike.
//   ControlOf(ScrollBar::HScroll5).name -> "HScroll5", ControlOf(Label::Label6).name -> "Label6"
constexpr const ControlDescription& ControlOf(ScrollBar bar)
{
    for (const ControlDescription& control : kForm1Controls) {
        if (control.bar == bar) {
            return control;
        }
    }
    return kForm1Controls.front();  // not reached: every bar is listed (below)
}

constexpr const ControlDescription& ControlOf(Label label)
{
    for (const ControlDescription& control : kForm1Controls) {
        if (control.label == label) {
            return control;
        }
    }
    return kForm1Controls.front();  // not reached: every label is listed (below)
}

constexpr bool EveryBarAndLabelListedOnce()
{
    std::array<int, kBarDesigns.size()> bars{};
    std::array<int, kLabelCount> labels{};
    for (const ControlDescription& control : kForm1Controls) {
        if (control.bar) {
            ++bars[Index(*control.bar)];
        }
        if (control.label) {
            ++labels[Index(*control.label)];
        }
    }
    const auto once = [](int listed) { return listed == 1; };
    return std::ranges::all_of(bars, once) && std::ranges::all_of(labels, once);
}
static_assert(EveryBarAndLabelListedOnce());

// Each scroll bar is given the label that shows its value when it is made,
// so the table must list that label first.
constexpr bool ValueLabelsComeBeforeTheirBars()
{
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        if (!kForm1Controls[i].bar) {
            continue;
        }
        bool listed = false;
        for (std::size_t j = 0; j < i; ++j) {
            listed = listed || kForm1Controls[j].label == DesignOf(*kForm1Controls[i].bar).valueLabel;
        }
        if (!listed) {
            return false;
        }
    }
    return true;
}
static_assert(ValueLabelsComeBeforeTheirBars());

}  // namespace window::qt
