#include "platform/qt/colour_scheme.h"
#include "tests/window/qt/window_fixture.h"
#include "window/qt/form1_layout.h"
#include "window/qt/form_label.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QRawFont>
#include <QTest>

#include <set>

namespace window::qt::testing {

namespace {

using FormLayout = WindowTest;

TEST_F(FormLayout, WindowHasItsDesignedFrame)
{
    EXPECT_EQ(m_window->objectName(), "Form1");
    EXPECT_EQ(m_window->windowTitle(), "Form1");
    EXPECT_EQ(m_window->size(), QSize(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips)));
    std::set<QString> names;
    for (const QWidget* child : m_window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) {  // an announcer is heard, not seen
            names.insert(child->objectName());
        }
    }
    EXPECT_EQ(names.size(), kForm1Controls.size());
}

// The face each control draws with has every character it shows: no boxes.
TEST_F(FormLayout, EveryCaptionIsInItsFace)
{
    for (const ControlDescription& d : kForm1Controls) {
        auto* control = Find<QWidget>(std::string(d.name).c_str());
        ASSERT_NE(control, nullptr);
        const auto* label = qobject_cast<QLabel*>(control);
        const auto* button = qobject_cast<QPushButton*>(control);
        const QString shown = label ? label->text() : button ? button->text() : QString();
        const QRawFont face = QRawFont::fromFont(control->font());
        for (const char32_t character : shown.toUcs4()) {
            EXPECT_TRUE(face.supportsCharacter(character)) << d.name << ": " << face.familyName().toStdString()
                                                           << " U+" << std::hex << static_cast<unsigned>(character);
        }
    }
}

// Fixed figures, independent of the table, for the controls users look at most.
// The face is the one actually drawn with, by any of its names, and is
// installed: a missing face would fall back alike on both sides. A label
// reaches a little past its box (form_label.h), never less.
TEST_F(FormLayout, SpotChecksInPixelsAndFaces)
{
    const struct {
        const char* name;
        QRect geometry;
        const char* family;
        double points;
        bool bold;
    } rows[] = {
        {"Label1", {24, 16, 273, 25}, "RocknRoll One", 18.0, false},
        {"Label2", {312, 16, 305, 41}, "IPAGothic", 9.75, true},
        {"Label13", {96, 48, 145, 17}, "RocknRoll One", 14.25, false},
        {"Label11", {320, 168, 81, 17}, "IPAPGothic", 14.25, true},
        {"HScroll6", {416, 200, 89, 17}, "IPAPGothic", 9.0, false},
        {"Command1", {464, 264, 89, 57}, "IPAGothic", 9.0, false},
        {"Label6", {80, 280, 369, 41}, "IPAPGothic", 18.0, true},
        {"print", {240, 352, 57, 25}, "IPAPGothic", 9.0, false},
    };
    for (const auto& row : rows) {
        auto* control = Find<QWidget>(row.name);
        ASSERT_NE(control, nullptr);
        if (qobject_cast<FormLabel*>(control) != nullptr) {
            const QRect reach = control->geometry();
            EXPECT_TRUE(reach.contains(row.geometry)) << row.name;
            EXPECT_LE((row.geometry.topLeft() - reach.topLeft()).manhattanLength(), 16) << row.name;
        } else {
            EXPECT_EQ(control->geometry(), row.geometry) << row.name;
        }
        EXPECT_TRUE(QFontDatabase::hasFamily(QString::fromUtf8(row.family))) << row.family << " is not installed";
        EXPECT_EQ(QFontInfo(control->font()).family(), QFontInfo(QFont(row.family)).family()) << row.name;
        EXPECT_EQ(control->font().pointSizeF(), row.points) << row.name;
        EXPECT_EQ(control->font().bold(), row.bold) << row.name;
    }
    EXPECT_EQ(Caption("Label5"), "残余度数は・・・");
    EXPECT_EQ(Find<QPushButton>("Command1")->text(), "計 算");
    EXPECT_EQ(Find<QPushButton>("Command3")->text(), "ＥＮＤ");
}

TEST_F(FormLayout, ColoursAsDrawn)
{
    const QImage image = m_window->grab().toImage();
    // The calculate button's face is light orange, the title's background light yellow.
    for (const QPoint inside : {QPoint(464 + 10, 264 + 10), QPoint(464 + 80, 264 + 48)}) {
        EXPECT_EQ(image.pixelColor(inside), QColor(255, 192, 128));
    }
    EXPECT_EQ(image.pixelColor(QPoint(24 + 3, 16 + 3)), QColor(255, 255, 192));
    EXPECT_EQ(Find<QLabel>("Label5")->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    EXPECT_EQ(Find<QLabel>("Label6")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

// A high-contrast theme leaves no designed colour on screen; a picture for
// the printer has them all again, and the screen gets its scheme back.
TEST_F(FormLayout, SystemSchemeDropsEveryDesignedColourUntilPrinted)
{
    const QPoint calculateFace(464 + 10, 264 + 10);
    const QPoint titleBackground(24 + 3, 16 + 3);
    platform::ShowScheme(*m_window, platform::ColourScheme::System);
    const QPalette system = m_window->palette();
    for (const ControlDescription& d : kForm1Controls) {
        const auto* control = Find<QWidget>(std::string(d.name).c_str());
        for (const QPalette::ColorRole role : {control->foregroundRole(), control->backgroundRole()}) {
            EXPECT_EQ(control->palette().color(role), system.color(role)) << d.name;
        }
    }
    const QImage shown = m_window->grab().toImage();
    EXPECT_EQ(shown.pixelColor(calculateFace), system.color(QPalette::Button));
    EXPECT_EQ(shown.pixelColor(titleBackground), system.color(QPalette::Window));
    {
        const platform::DesignedLook designed(*m_window);
        const QImage printed = m_window->grab().toImage();
        EXPECT_EQ(printed.pixelColor(calculateFace), QColor(255, 192, 128));
        EXPECT_EQ(printed.pixelColor(titleBackground), QColor(255, 255, 192));
        EXPECT_EQ(Find<QLabel>("Label6")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
    EXPECT_EQ(m_window->grab().toImage(), shown);
    platform::ShowScheme(*m_window, platform::ColourScheme::Designed);
    EXPECT_EQ(m_window->grab().toImage().pixelColor(calculateFace), QColor(255, 192, 128));
}

TEST_F(FormLayout, LongCaptionsWrapInsideTheirBox)
{
    for (const char* name : {"Label2", "Label4"}) {
        auto* label = Find<QLabel>(name);
        const QFontMetrics metrics(label->font());
        const QRect text = metrics.boundingRect(QRect(0, 0, label->width(), 1000),
                                                Qt::TextWordWrap | Qt::AlignTop, label->text());
        EXPECT_LE(text.width(), label->width()) << name;
        EXPECT_GE(text.height(), 2 * metrics.lineSpacing()) << name;
    }
}

const char* Named(ScrollBar bar)
{
    return ControlOf(bar).name.data();
}

// Ink pixels: neither transparent nor the label's own background.
int Ink(const QImage& image, QColor background)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            ink += pixel.alpha() != 0 && pixel != background ? 1 : 0;
        }
    }
    return ink;
}

// The caption as the window's label draws it against the same text drawn
// in its box with room to spare: no glyph may lose a pixel.
void ExpectWhole(const QWidget& window, const ControlDescription& d)
{
    auto* label = window.findChild<FormLabel*>(QString::fromUtf8(d.name.data()));
    ASSERT_NE(label, nullptr) << d.name;
    const QColor background = d.style.background ? label->palette().color(label->backgroundRole()) : Qt::transparent;
    QImage drawn(label->size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    label->render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
    const QSize box(ToPixels(d.geometry.width), ToPixels(d.geometry.height));
    QImage roomy(box.width() + 200, box.height() + 200, QImage::Format_ARGB32_Premultiplied);
    roomy.fill(background);
    QPainter painter(&roomy);
    painter.setFont(label->font());
    painter.setPen(label->palette().color(QPalette::WindowText));
    painter.drawText(QRect(QPoint(100, 100), box), static_cast<int>(label->alignment()) | Qt::TextWordWrap | Qt::TextDontClip,
                     label->text());
    painter.end();
    EXPECT_EQ(Ink(drawn, background), Ink(roomy, background)) << label->objectName().toStdString()
                                                              << " \"" << label->text().toStdString() << '"';
}

// Each caption as the window draws it against the same text drawn with room
// to spare: no glyph may lose a pixel, whatever the face's line height, and
// also for the widest readings and results.
TEST_F(FormLayout, NoCaptionIsCut)
{
    for (const ControlDescription& d : kForm1Controls) {
        if (d.kind == ControlKind::Label) {
            ExpectWhole(*m_window, d);
        }
    }
    // Both ends of every bar, then the longest result: "Ｓ＋25.00Ｄ Ｃ-10.00Ｄ Ａ180°".
    for (const bool right : {false, true}) {
        for (const BarDesign& design : kBarDesigns) {
            Bar(Named(design.bar))->setValue(right ? power::RangeOf(MeaningOf(design.bar).kind).maximum : power::RangeOf(MeaningOf(design.bar).kind).minimum);
            ExpectWhole(*m_window, ControlOf(design.valueLabel));
        }
    }
    const int longest[] = {0, 500, 0, 2000, 500, 90};
    for (const BarDesign& design : kBarDesigns) {
        Bar(Named(design.bar))->setValue(longest[Index(design.bar)]);
    }
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(Caption("Label6"), "Ｓ＋25.00Ｄ Ｃ-10.00Ｄ Ａ180°");
    ExpectWhole(*m_window, ControlOf(Label::Label6));
}

// A window never painted (printed before it was ever shown) has every
// caption whole as well, one set since included: five results' worth
// wraps to five lines in the result label.
TEST(FormLabels, NoCaptionIsCutBeforeAnyPaint)
{
    Form1Window unpainted;
    std::string longest;
    for (int i = 0; i < 5; ++i) {
        longest += "Ｓ＋25.00Ｄ Ｃ-10.00Ｄ Ａ180° ";
    }
    unpainted.SetCaption(Label::Label6, longest);
    for (const ControlDescription& d : kForm1Controls) {
        if (d.kind == ControlKind::Label) {
            QCoreApplication::sendPostedEvents(unpainted.findChild<QLabel*>(QString::fromUtf8(d.name.data())), 0);  // as the printer does before its picture
            ExpectWhole(unpainted, d);
        }
    }
}

TEST_F(FormLayout, TabOrderFollowsTheTabIndices)
{
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("print"));
    const char* order[] = {"HScroll6", "HScroll5", "HScroll4", "HScroll3", "HScroll2",
                           "HScroll1", "Command3", "Command2", "Command1", "print"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
    }
}

TEST_F(FormLayout, ScreenReadersHearRowAndColumn)
{
    const struct {
        const char* name;
        QAccessible::Text text;
        const char* spoken;
    } rows[] = {
        {"HScroll1", QAccessible::Name, "遠用度数確認値 Ｓ"},
        {"HScroll3", QAccessible::Name, "遠用度数確認値 Ａ"},
        {"HScroll5", QAccessible::Name, "遠用度数実測値（レンズメータ） Ｃ"},
        {"Label7", QAccessible::Name, "0.00Ｄ"},
        {"Label7", QAccessible::Description, "遠用度数確認値 Ｓ"},
        {"Label12", QAccessible::Description, "遠用度数実測値（レンズメータ） Ａ"},
        {"Label5", QAccessible::Name, "残余度数は・・・"},
        {"Command1", QAccessible::Name, "計 算"},
    };
    for (const auto& row : rows) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Find<QWidget>(row.name));
        ASSERT_NE(accessible, nullptr) << row.name;
        EXPECT_EQ(accessible->text(row.text), QString::fromUtf8(row.spoken)) << row.name;
    }
}

}  // namespace

}  // namespace window::qt::testing
