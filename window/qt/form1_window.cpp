#include "window/qt/form1_window.h"

#include "platform/printing/qt/window_printer.h"
#include "platform/qt/colour_scheme.h"
#include "platform/qt/fonts.h"
#include "platform/qt/utf8.h"
#include "window/form_design.h"
#include "window/qt/form1_layout.h"
#include "window/qt/form1_page.h"
#include "window/qt/form_button.h"
#include "window/qt/form_label.h"
#include "window/qt/form_scroll_bar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <map>
#include <optional>

namespace window::qt {

namespace {

using platform::FromUtf8;

// The one item of the result's menu.
constexpr std::string_view kCopyCaption = "コピー";

std::optional<QColor> ToColor(std::optional<Rgb> rgb)
{
    if (!rgb) {
        return std::nullopt;
    }
    return QColor(rgb->red, rgb->green, rgb->blue);
}

QString RowAndColumn(const ControlDescription& description)
{
    return FromUtf8(description.row) + QLatin1Char(' ') + FromUtf8(description.column);
}

QRect PixelBox(const TwipsRect& g)
{
    return {ToPixels(g.left), ToPixels(g.top), ToPixels(g.width), ToPixels(g.height)};
}

FormLabel* MakeLabel(const ControlDescription& description, QWidget* parent)
{
    auto* label = new FormLabel(FromUtf8(description.caption), description.style.centred,
                                description.style.background.has_value(), parent);
    platform::SetDesignedColours(*label, ToColor(description.style.text), ToColor(description.style.background));
    if (!description.row.empty()) {
        label->setAccessibleDescription(RowAndColumn(description));
    }
    return label;
}

FormScrollBar* MakeScrollBar(const ControlDescription& description, const QLabel& valueLabel, QWidget* parent)
{
    const BarDesign& design = DesignOf(*description.bar);
    const power::BarKind kind = MeaningOf(design.bar).kind;
    auto* bar = new FormScrollBar(kind, valueLabel, parent);
    const power::PositionRange range = power::RangeOf(kind);
    bar->setRange(range.minimum, range.maximum);
    bar->setSingleStep(design.smallChange);
    bar->setPageStep(design.largeChange);
    bar->setValue(design.designedPosition);
    bar->setAccessibleName(RowAndColumn(description));
    return bar;
}

QPushButton* MakeButton(const ControlDescription& description, QWidget* parent)
{
    auto* button = new FormButton(FromUtf8(description.caption), parent);
    if (description.style.background) {
        // A flat face of exactly this colour, as a classic graphical-style
        // button has. Fusion would shade a palette colour and the native
        // Windows and macOS styles ignore it; the classic Windows style, built
        // into Qt Widgets on every platform, paints it as it is.
        QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"));
        if (classic) {
            classic->setParent(button);
            button->setStyle(classic);
        }
    }
    platform::SetDesignedColours(*button, ToColor(description.style.text), ToColor(description.style.background));
    return button;
}

}  // namespace

Form1Window::Form1Window(QWidget* parent) : QWidget(parent)
{
    setObjectName(FromUtf8(kForm1Name));
    setWindowTitle(FromUtf8(kForm1Name));
    setFont(platform::InstalledFont(kWindowFont));
    resize(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips));

    std::map<int, QWidget*> focusOrder;  // by tab index
    for (const ControlDescription& description : kForm1Controls) {
        QWidget* control = AddControl(description);
        control->setObjectName(FromUtf8(description.name));
        control->setFont(platform::InstalledFont(description.font));
        const QRect box = PixelBox(description.geometry);
        if (auto* label = qobject_cast<FormLabel*>(control)) {
            label->SetBox(box);  // after the font: the caption is fitted to it
        } else {
            control->setGeometry(box);
        }
        if (description.kind != ControlKind::Label) {
            focusOrder[description.tabIndex] = control;
        }
    }

    QWidget* previous = nullptr;
    for (const auto& [tabIndex, control] : focusOrder) {
        if (previous) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
    // Every copy key of the platform copies the result, as calculators do:
    // Ctrl+C, and Ctrl+Insert on Windows and X11.
    m_copy = new QAction(FromUtf8(kCopyCaption), this);
    m_copy->setShortcuts(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WindowShortcut);
    connect(m_copy, &QAction::triggered, this, &Form1Window::CopyResult);
    addAction(m_copy);

    // The first in the tab order (print) has the focus when the window opens.
    focusOrder.begin()->second->setFocus();
    // Made once the window is up, and kept: making it as a print fails
    // would hold the window up for tens of milliseconds (its icon looked up
    // in the desktop's theme, its buttons, its native window).
    QTimer::singleShot(kMessageBoxMadeAfter, this, [this] { MessageBox(); });
    m_form.Open();
    platform::FollowScreenScheme(*this);
}

QWidget* Form1Window::AddControl(const ControlDescription& description)
{
    switch (description.kind) {
    case ControlKind::Label: {
        FormLabel* label = MakeLabel(description, this);
        if (description.label) {
            m_labels[Index(*description.label)] = label;
        }
        return label;
    }
    case ControlKind::ScrollBar: {
        const ScrollBar which = *description.bar;
        // Made already: the table lists each value label before its bar.
        const QLabel& valueLabel = *m_labels[Index(DesignOf(which).valueLabel)];
        FormScrollBar* bar = MakeScrollBar(description, valueLabel, this);
        m_bars[Index(which)] = bar;
        connect(bar, &QScrollBar::valueChanged, this, [this, which] { m_form.ScrollChange(which); });
        connect(bar, &QScrollBar::sliderMoved, this, [this, which](int position) {
            m_form.ThumbDragged(which, static_cast<power::ScrollPosition>(position));
        });
        connect(bar, &FormScrollBar::Typed, this,
                [this, which](const QString& text) { m_form.TypeOnBar(which, platform::ToUtf8(text)); });
        connect(bar, &FormScrollBar::EraseTyped, this, [this, which] { m_form.EraseTyped(which); });
        connect(bar, &FormScrollBar::DropTyped, this, [this, which] { m_form.DropTyped(which); });
        connect(bar, &FormScrollBar::ApplyTyped, this, [this, which] { m_form.ApplyTyped(which); });
        return bar;
    }
    case ControlKind::PushButton: {
        QPushButton* button = MakeButton(description, this);
        connect(button, &QPushButton::clicked, this, [this, command = *description.command] { Run(command); });
        return button;
    }
    }
    return nullptr;
}

void Form1Window::Run(Command command)
{
    switch (command) {
    case Command::Calculate:
        m_form.Calculate();
        break;
    case Command::Reset:
        m_form.Reset();
        break;
    case Command::EndProgram:
        m_form.EndProgram();
        break;
    case Command::PrintWindow:
        m_form.PrintWindow();
        break;
    }
}

power::ScrollPosition Form1Window::Position(ScrollBar bar) const
{
    return static_cast<power::ScrollPosition>(m_bars[Index(bar)]->value());
}

void Form1Window::SetPosition(ScrollBar bar, power::ScrollPosition position)
{
    m_bars[Index(bar)]->setValue(position);  // emits valueChanged only on a change
}

void Form1Window::SetCaption(Label label, std::string_view caption)
{
    m_labels[Index(label)]->SetCaption(FromUtf8(caption));
}

void Form1Window::MarkCaption(Label label, std::string_view mark)
{
    m_labels[Index(label)]->SetMark(FromUtf8(mark));
}

void Form1Window::Announce(std::string_view text)
{
    m_announcer->Announce(FromUtf8(text));
}

void Form1Window::CopyResult() const
{
    if (m_labels[Index(Label::Label6)]->text().isEmpty()) {
        return;
    }
    const QString result = m_labels[Index(Label::Label6)]->Record();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(result);
    if (clipboard->supportsSelection()) {
        clipboard->setText(result, QClipboard::Selection);  // a middle-click pastes it too
    }
}

void Form1Window::End()
{
    close();  // closeEvent ends the program
}

void Form1Window::SendToPrinter(PrintDone done)
{
    const QSize area(ToPixels(kClientWidthTwips), ToPixels(kClientHeightTwips));
    m_printer.Print(PageOf(*this, area), area, windowTitle(), std::move(done));
}

QMessageBox& Form1Window::MessageBox()
{
    if (!m_message) {
        m_message = new QMessageBox(QMessageBox::Warning, windowTitle(), QString(), QMessageBox::Ok, this);
        m_message->setObjectName(QStringLiteral("message"));
        m_message->setFont(font());  // the window's Japanese face, not whatever the desktop's default is
        m_message->setWindowModality(Qt::WindowModal);
    }
    return *m_message;
}

void Form1Window::ShowMessage(std::string_view message)
{
    QMessageBox& box = MessageBox();
    box.setText(FromUtf8(message));
    if (!box.isVisible()) {
        box.open();  // not exec(): the event loop keeps running, so nothing else stops
    } else {
        Announce(message);  // a reader reads a box as it opens, not as its text changes
    }
}

bool Form1Window::MessageShown() const
{
    return m_message != nullptr && m_message->isVisible();
}

void Form1Window::Beep()
{
    QApplication::beep();
}

void Form1Window::After(std::chrono::milliseconds delay, std::function<void()> action)
{
    // The window as context: an action still waiting when the window goes
    // is dropped unrun.
    QTimer::singleShot(delay, this, std::move(action));
}

void Form1Window::contextMenuEvent(QContextMenuEvent* event)
{
    // Labels let the mouse through, so a right-click on the result comes here.
    if (event->reason() != QContextMenuEvent::Mouse ||
        !PixelBox(ControlOf(Label::Label6).geometry).contains(event->pos()) ||
        m_labels[Index(Label::Label6)]->text().isEmpty()) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    menu.setFont(font());
    menu.addAction(m_copy);
    menu.exec(event->globalPos());
}

void Form1Window::closeEvent(QCloseEvent* event)
{
    // An open message box must not keep the program alive once the window
    // is gone; a print under way does, without a window (~WindowPrinter).
    QCoreApplication::quit();
    event->accept();
}

}  // namespace window::qt
