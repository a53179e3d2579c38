#include "window/form1.h"

#include "power/residual_caption.h"
#include "power/residual_power.h"
#include "power/typed_entry.h"
#include "tests/window/model_controls.h"
#include "window/form_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using window::Label;
using window::ScrollBar;
using window::testing::ModelControls;

// A bar at a position, and what its value label shows then.
struct BarCaption final {
    ScrollBar bar;
    power::ScrollPosition position;
    Label label;
    const char* caption;
};

void ExpectDesignedState(const ModelControls& model)
{
    EXPECT_EQ(model.Caption(Label::Label6), "");
    const BarCaption designed[] = {
        {ScrollBar::HScroll1, 1000, Label::Label7, "0.00Ｄ"}, {ScrollBar::HScroll2, 0, Label::Label8, "0.00Ｄ"},
        {ScrollBar::HScroll3, 90, Label::Label9, "90°"},      {ScrollBar::HScroll4, 1000, Label::Label10, "0.00Ｄ"},
        {ScrollBar::HScroll5, 0, Label::Label11, "0.00Ｄ"},   {ScrollBar::HScroll6, 90, Label::Label12, "90°"},
    };
    for (const auto& row : designed) {
        EXPECT_EQ(model.Caption(row.label), row.caption) << window::testing::NameOf(row.label);
        EXPECT_EQ(model.Position(row.bar), row.position) << window::testing::NameOf(row.bar);
    }
}

TEST(Form1, CalculateAtStartShowsZeroSphere)
{
    ModelControls model;
    model.form().Calculate();
    EXPECT_EQ(model.Caption(Label::Label6), "Ｓ 0.00Ｄ");
    EXPECT_EQ(model.Log().back(), "say Ｓ 0.00Ｄ");  // heard, whatever has the focus
}

TEST(Form1, MovingABarUpdatesOnlyItsValueLabel)
{
    ModelControls model;
    model.form().Calculate();
    model.Move(ScrollBar::HScroll5, 75);
    EXPECT_EQ(model.Caption(Label::Label11), "-0.75Ｄ");
    EXPECT_EQ(model.Caption(Label::Label6), "Ｓ 0.00Ｄ");  // stale until the next Calculate
    model.form().Calculate();
    EXPECT_EQ(model.Caption(Label::Label6), "Ｓ＋0.75Ｄ Ｃ-0.75Ｄ Ａ180°");
}

TEST(Form1, ValueLabelsFollowTheirBars)
{
    const BarCaption rows[] = {
        {ScrollBar::HScroll1, 975, Label::Label7, "＋0.25Ｄ"},
        {ScrollBar::HScroll1, 2000, Label::Label7, "-10.00Ｄ"},
        {ScrollBar::HScroll2, 500, Label::Label8, "-5.00Ｄ"},
        {ScrollBar::HScroll3, 180, Label::Label9, "180°"},
        {ScrollBar::HScroll3, 0, Label::Label9, "180°"},
        {ScrollBar::HScroll4, 0, Label::Label10, "＋10.00Ｄ"},
        {ScrollBar::HScroll5, 1, Label::Label11, "-0.01Ｄ"},
        {ScrollBar::HScroll6, 179, Label::Label12, "1°"},
        {ScrollBar::HScroll6, 0, Label::Label12, "180°"},
    };
    for (const auto& row : rows) {
        ModelControls model;
        model.Move(row.bar, row.position);
        EXPECT_EQ(model.Caption(row.label), row.caption) << window::testing::NameOf(row.bar);
    }
}

// Keys typed on a focused bar as the window passes them on ('<' Backspace,
// '!' Escape, '\n' Enter or leaving the bar, '~' the refusal's moment
// passing, any other character a key with that text): an applied entry
// moves the bar as a move would; a refused or dropped one leaves it; a key
// refused within an entry leaves the entry as it was; the result is never
// touched.
TEST(Form1, TypedEntriesMoveTheBarOrLeaveIt)
{
    const std::string offRange(power::RefusalCaption(power::BarKind::Sphere, power::EntryRefusal::OffRange));
    const std::string invalid(power::RefusalCaption(power::BarKind::Sphere, power::EntryRefusal::NotANumber));
    // What a reader is told besides the bar's own change: a refusal, a
    // reading that comes back, or an entry the bar already read as.
    const struct {
        ScrollBar bar;
        power::ScrollPosition position;
        int changes, beeps;
        const char* keys;
        std::string caption;
        std::string said;
    } rows[] = {
        {ScrollBar::HScroll2, 150, 1, 0, "1.5\n", "-1.50Ｄ", ""},
        {ScrollBar::HScroll6, 180, 1, 0, "0\n", "180°", ""},
        {ScrollBar::HScroll3, 0, 2, 0, "0\n180\n", "180°", "180°"},  // the thumb crosses over, the reading stays
        {ScrollBar::HScroll4, 1322, 1, 0, "-3.29<2\n", "-3.22Ｄ", ""},
        {ScrollBar::HScroll1, 950, 1, 0, "0,5\n", "＋0.50Ｄ", ""},  // a comma is the point
        {ScrollBar::HScroll1, 1000, 0, 0, "0、5", "0.5_", ""},
        {ScrollBar::HScroll2, 25, 1, 0, "，25\n", "-0.25Ｄ", ""},
        {ScrollBar::HScroll1, 1000, 0, 1, "0/", invalid, invalid},
        {ScrollBar::HScroll1, 950, 1, 1, "0/~.5\n", "＋0.50Ｄ", invalid},  // the entry back as it was
        {ScrollBar::HScroll1, 1000, 0, 1, "0 ", invalid, invalid},
        {ScrollBar::HScroll1, 1000, 0, 1, "3x~", "3_", invalid},
        {ScrollBar::HScroll1, 1000, 0, 3, "0///", invalid, invalid},  // a key held down is said once
        {ScrollBar::HScroll4, 700, 1, 1, "a3 \n", "＋3.00Ｄ", invalid},  // outside an entry a letter is nothing
        {ScrollBar::HScroll1, 1000, 0, 0, "0\n", "0.00Ｄ", "0.00Ｄ"},  // the same position: no change notification
        {ScrollBar::HScroll1, 1000, 0, 0, "-3.2", "-3.2_", ""},
        {ScrollBar::HScroll1, 1000, 0, 0, "-3.2!", "0.00Ｄ", "0.00Ｄ"},
        {ScrollBar::HScroll1, 1000, 0, 0, "3<<\n", "0.00Ｄ", "0.00Ｄ"},
        {ScrollBar::HScroll1, 1000, 0, 1, "25\n", offRange, offRange},
        {ScrollBar::HScroll1, 1000, 0, 1, "25\n~", "0.00Ｄ", offRange},
        {ScrollBar::HScroll1, 1000, 0, 1, "25\n3~", "3_", offRange},  // a new entry outlives the moment
        {ScrollBar::HScroll3, 90, 0, 2, "1234567890", "12345678_", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        ModelControls model;
        model.form().Calculate();
        model.ClearLog();
        const std::string keys = row.keys;
        for (std::size_t i = 0; i < keys.size();) {
            // One key's text: a character of one to three UTF-8 bytes.
            const auto lead = static_cast<unsigned char>(keys[i]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
            switch (keys[i]) {
            case '<': model.form().EraseTyped(row.bar); break;
            case '!': model.form().DropTyped(row.bar); break;
            case '\n': model.form().ApplyTyped(row.bar); break;
            case '~': model.RunLater(); break;
            default: model.form().TypeOnBar(row.bar, keys.substr(i, length)); break;
            }
            i += length;
        }
        EXPECT_EQ(model.Position(row.bar), row.position);
        EXPECT_EQ(model.Caption(window::DesignOf(row.bar).valueLabel), row.caption);
        EXPECT_EQ(model.Caption(Label::Label6), "Ｓ 0.00Ｄ");
        const auto& log = model.Log();
        EXPECT_EQ(std::count(log.begin(), log.end(), "beep"), row.beeps);
        EXPECT_EQ(std::count(log.begin(), log.end(), std::string("change ") + window::testing::NameOf(row.bar)), row.changes);
        std::string said;
        for (const std::string& entry : log) {
            if (entry.rfind("say ", 0) == 0) {
                said += entry.substr(4);
            }
        }
        EXPECT_EQ(said, row.said);
    }
}

TEST(Form1, ResetRestoresTheDesignedStateWhateverCameBefore)
{
    const struct {
        const char* why;
        std::vector<std::pair<ScrollBar, power::ScrollPosition>> moves;
        bool calculate;
    } rows[] = {
        {"untouched", {}, false},
        {"untouched after calculate", {}, true},
        {"one bar moved", {{ScrollBar::HScroll5, 75}}, true},
        {"every bar at an end", {{ScrollBar::HScroll1, 0}, {ScrollBar::HScroll2, 500},
                                 {ScrollBar::HScroll3, 180}, {ScrollBar::HScroll4, 2000},
                                 {ScrollBar::HScroll5, 500}, {ScrollBar::HScroll6, 0}}, true},
        {"moved away and back", {{ScrollBar::HScroll3, 10}, {ScrollBar::HScroll3, 90}}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        ModelControls model;
        for (const auto& [bar, position] : row.moves) {
            model.Move(bar, position);
        }
        if (row.calculate) {
            model.form().Calculate();
        }
        model.form().Reset();
        ExpectDesignedState(model);
    }
}

TEST(Form1, ResetWritesCaptionsThenPositionsWithNestedNotifications)
{
    ModelControls model;
    model.Move(ScrollBar::HScroll2, 50);
    model.Move(ScrollBar::HScroll6, 10);
    model.ClearLog();
    model.form().Reset();
    const std::vector<std::string> expected{
        "caption Label6 ",
        "caption Label7 0.00Ｄ",
        "caption Label8 0.00Ｄ",
        "caption Label9 90°",
        "caption Label10 0.00Ｄ",
        "caption Label11 0.00Ｄ",
        "caption Label12 90°",
        "position HScroll1 1000",
        "position HScroll2 0",
        "change HScroll2",
        "caption Label8 0.00Ｄ",  // ScrollChange, nested inside the write
        "position HScroll3 90",
        "position HScroll4 1000",
        "position HScroll5 0",
        "position HScroll6 90",
        "change HScroll6",
        "caption Label12 90°",
        "say すべてのバーを最初の値に戻し、残余度数を消しました",  // once, when all is back
    };
    EXPECT_EQ(model.Log(), expected);
}

TEST(Form1, ResetWithoutChangesRaisesNoNotification)
{
    ModelControls model;
    model.ClearLog();
    model.form().Reset();
    for (const std::string& entry : model.Log()) {
        EXPECT_EQ(entry.rfind("change ", 0), std::string::npos) << entry;
    }
    EXPECT_EQ(model.Log().size(), 14u);  // 7 captions, 6 positions, 1 announcement
}

// Two presses, then the print system answers each: a failure is told with
// its reason, an accepted job is not, and nothing on screen changes. Both
// fail while the first one's message is up: one box, counting two.
TEST(Form1, PrintingTellsEveryFailureOnceAndChangesNothing)
{
    using platform::PrintOutcome;
    const struct {
        PrintOutcome outcome;
        const char* reason;
    } rows[] = {
        {PrintOutcome::Accepted, nullptr},
        {PrintOutcome::NoPrinter, "既定のプリンタがありません"},
        {PrintOutcome::NoServer, "印刷サーバーに接続できません"},
        {PrintOutcome::NotAccepting, "プリンタが印刷を受け付けていません"},
        {PrintOutcome::NotAuthorised, "このユーザーには印刷が許可されていません"},
        {PrintOutcome::NoAnswer, "印刷サーバーが応答しません"},
        {PrintOutcome::SendFailed, "印刷データを送れませんでした"},
        {PrintOutcome::NoPrintSystem, "印刷システム（CUPS）がインストールされていません"},
        {PrintOutcome::PasswordAsked, "印刷サーバーがパスワードを求めています"},
        {PrintOutcome::NoPrintableArea, "用紙に印刷できる範囲がありません"},
        {PrintOutcome::Unsettled, "印刷サーバーが応答しません。あとで印刷されることがあります"},
    };
    const std::string notMade = "\n2回分の印刷ができませんでした。";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason ? row.reason : "accepted");
        ModelControls model;
        model.Move(ScrollBar::HScroll1, 975);
        model.Move(ScrollBar::HScroll6, 30);
        model.form().Calculate();
        const std::string result = model.Caption(Label::Label6);
        model.ClearLog();

        model.form().PrintWindow();
        model.form().PrintWindow();
        EXPECT_EQ(model.PrintJobs(), 2);
        EXPECT_TRUE(model.Messages().empty());  // nothing is said before the print system answers
        model.AnswerPrint(row.outcome);
        model.AnswerPrint(row.outcome);

        EXPECT_TRUE(model.Log().empty());  // no caption or position was touched
        EXPECT_EQ(model.Caption(Label::Label6), result);
        EXPECT_EQ(model.Caption(Label::Label7), "＋0.25Ｄ");
        EXPECT_EQ(model.Position(ScrollBar::HScroll6), 30);
        EXPECT_FALSE(model.Ended());
        if (row.reason == nullptr) {
            EXPECT_TRUE(model.Messages().empty());
        } else {
            const std::string told = std::string(window::kPrintFailedMessage) + "（" + row.reason + "）";
            // Pages that may still come out are not counted as not made.
            EXPECT_EQ(model.Messages(),
                      std::vector<std::string>{told + (row.outcome == PrintOutcome::Unsettled ? "" : notMade)});
        }
    }
}

// Presses during one outage, answered in turn: a failure after its
// message was closed is a box of its own; one whose page may still come
// out keeps saying so whatever follows, and is not counted as not made.
TEST(Form1, AnOutageIsOneMessage)
{
    using platform::PrintOutcome;
    ModelControls model;
    for (int i = 0; i < 5; ++i) {
        model.form().PrintWindow();
    }
    model.AnswerPrint(PrintOutcome::Unsettled);
    model.AnswerPrint(PrintOutcome::NoAnswer);
    model.AnswerPrint(PrintOutcome::NoAnswer);
    model.CloseMessage();
    model.AnswerPrint(PrintOutcome::NoServer);
    model.AnswerPrint(PrintOutcome::Accepted);
    const std::string failed(window::kPrintFailedMessage);
    EXPECT_EQ(model.Messages(),
              (std::vector<std::string>{
                  failed + "（印刷サーバーが応答しません。あとで印刷されることがあります）\n2回分の印刷ができませんでした。",
                  failed + "（印刷サーバーに接続できません）"}));
}

TEST(Form1, EndProgramEnds)
{
    ModelControls model;
    model.form().EndProgram();
    EXPECT_TRUE(model.Ended());
}

// What a value label must show, worked out from the position in whole
// hundredths: 975 on a sphere bar is +25 -> "＋0.25Ｄ"; an axis bar at 180
// points to axis 0, which is called 180.
std::string WorkedValueCaption(power::BarKind kind, int position)
{
    if (kind == power::BarKind::Axis) {
        return std::to_string(position == 180 ? 180 : 180 - position) + "°";
    }
    const int hundredths = kind == power::BarKind::Sphere ? 1000 - position : -position;
    const int size = std::abs(hundredths);
    const std::string sign = hundredths > 0 ? "＋" : hundredths < 0 ? "-" : "";
    return sign + std::to_string(size / 100) + (size % 100 < 10 ? ".0" : ".") + std::to_string(size % 100) + "Ｄ";
}

// Thousands of random sessions: after every step each value label shows its
// bar's position, and the result line shows the residual power the power
// library gives for the readings of the bars, by name, at the last
// calculation since the last reset (or nothing): no step leaves anything
// behind that a later one sees.
TEST(Form1, RandomSessionsKeepCaptionsConsistent)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> action(0, 9);
    std::uniform_int_distribution<int> anyBar(0, 5);
    for (int session = 0; session < 2000; ++session) {
        ModelControls model;
        std::string expectedResult;
        for (int step = 0; step < 40; ++step) {
            const int what = action(random);
            if (what < 7) {
                const auto& design = window::kBarDesigns[static_cast<std::size_t>(anyBar(random))];
                // Mostly in range; now and then past an end, which the bar clamps.
                const power::PositionRange range = power::RangeOf(window::MeaningOf(design.bar).kind);
                std::uniform_int_distribution<int> position(range.minimum - 5, range.maximum + 5);
                model.Move(design.bar, static_cast<power::ScrollPosition>(position(random)));
            } else if (what < 9) {
                model.form().Calculate();
                const auto reading = [&model](ScrollBar sphere, ScrollBar cylinder, ScrollBar axis) {
                    return power::LensPower{power::SphereFromPosition(model.Position(sphere)),
                                            power::CylinderFromPosition(model.Position(cylinder)),
                                            power::AxisFromPosition(model.Position(axis))};
                };
                expectedResult = power::ResidualCaption(
                    power::ResidualPower(reading(ScrollBar::HScroll1, ScrollBar::HScroll2, ScrollBar::HScroll3),
                                         reading(ScrollBar::HScroll4, ScrollBar::HScroll5, ScrollBar::HScroll6)));
            } else {
                model.form().Reset();
                expectedResult.clear();
            }
            for (const auto& design : window::kBarDesigns) {
                ASSERT_EQ(model.Caption(design.valueLabel),
                          WorkedValueCaption(window::MeaningOf(design.bar).kind, model.Position(design.bar)))
                    << "session " << session << " step " << step;
                ASSERT_GE(model.Position(design.bar), power::RangeOf(window::MeaningOf(design.bar).kind).minimum);
                ASSERT_LE(model.Position(design.bar), power::RangeOf(window::MeaningOf(design.bar).kind).maximum);
            }
            ASSERT_EQ(model.Caption(Label::Label6), expectedResult)
                << "session " << session << " step " << step;
        }
    }
}

}  // namespace
