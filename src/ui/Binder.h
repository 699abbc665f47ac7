// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps each widget and the control model it shows in step, both ways.
//
// - A user's change of a widget runs the model's setter (and so its handler) through Dispatch().
// - A model change updates the widget under QSignalBlocker, so the widget does not report it back.
// - Text appended to a multi-line box is collected and handed to the widget in one piece by Flush(),
//   which runs at the end of every dispatched handler, on the event pump and on a zero timer; a
//   listing of 100,000 lines therefore costs a few hundred widget updates, not 100,000. The pump shows
//   it in bounded pieces (FlushSome), so a listing that outpaces the widget waits for it while the
//   window keeps repainting.
//
// Each kind of widget is bound in a file of its own: BinderButtons (buttons, labels), BinderCheckBoxes
// (check boxes, option buttons), BinderLists, BinderTextBoxes (one-line boxes), BinderOutputBox (multi-line
// boxes and their batched text) and BinderForms (windows).

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/Controls.h"
#include "app/Platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vesk::ui {

class Binder : public QObject {
  public:
    // About 10 ms of the output box's work: it lays text out at roughly 100 ns a character, mostly in the
    // events that follow an insertion.
    static constexpr std::size_t kFlushPieceChars = 96 * 1024;
    // A box of unwrapped lines whose text has a line longer than this is shown by a LongTextView: a text
    // document would lay the whole line out at every piece appended to it.
    static constexpr int kLongLineChars = 4096;

    // `platform` reports a failure that escaped a handler.
    explicit Binder(Platform& platform);
    ~Binder() override;

    using CaptionMap = std::function<QString(const std::string&)>;

    void BindButton(Button& model, QPushButton* widget);
    void BindCheckBox(CheckBox& model, QCheckBox* widget);
    void BindOption(OptionButton& model, QRadioButton* widget);
    void BindCombo(ComboBox& model, QComboBox* widget);
    // A clickable label runs the model's Click() on a left-button release. A `deferred` label takes the model's
    // caption only when the binder flushes or repaints, not at each change: a caption that turns after every
    // listed line would otherwise cost more than the line.
    void BindLabel(Label& model, QLabel* widget, bool clickable = false, CaptionMap map = {}, bool deferred = false);
    void BindLineEdit(TextBox& model, QLineEdit* widget);
    void BindTextArea(TextBox& model, QPlainTextEdit* widget);
    // Enabled and visible only (frames and other passive controls).
    void BindControl(Control& model, QWidget* widget);

    struct FormHooks {
        std::function<void()> closeRequested;  // the frame's close button; the window stays open
        std::function<void()> activated;       // became the active window of the program
        std::function<void()> resized;         // after the model took the new size
    };
    void BindForm(Form& model, QWidget* window, FormHooks hooks);

    QWidget* WidgetFor(const Control* control) const;
    QWidget* WindowFor(const Form* form) const;

    // Runs a handler for a widget event: flushes pending text before and after, and reports an exception
    // that the handler let through instead of letting it cross Qt's event loop.
    void Dispatch(const std::function<void()>& handler);

    // Hands collected text and caret moves to the widgets.
    void Flush();
    // The same for at most `maxChars` characters of each box; false when text is left for later (a zero
    // timer is then set).
    bool FlushSome(std::size_t maxChars);
    // Characters appended to the models and not yet shown.
    std::size_t PendingChars() const;
    // Gives deferred labels their captions.
    void ApplyDeferredLabels();

  private:
    struct TextArea;
    struct LineEdit;
    struct FormEntry;

    void Register(Control& model, QWidget* widget);
    void InstallHook(QObject* target, std::function<bool(QObject*, QEvent*)> hook);
    bool IsOwnWindow(const QWidget* window) const;
    // A focus-out event that means the user left the box (not a popup, not a switch to another program).
    bool LeavesTheBox(const QEvent* event) const;
    // Runs the handler of a box being left. When the user moved the focus (Tab, a click, a mnemonic), a
    // focus move the handler asks for gives way to the user's: Tab then goes through the window in order.
    void DispatchLostFocus(const QEvent* focusOut, const std::function<void()>& handler);

    bool LineEditEvent(LineEdit& entry, QEvent* event);

    void ScheduleFlush();
    bool FlushArea(TextArea& area, std::size_t maxChars);
    // The next piece of the pending text, at most `maxChars` bytes, ending between two characters.
    static std::string TakePiece(TextArea& area, std::size_t maxChars);
    void ShowPiece(TextArea& area, const std::string& piece);
    // Shows the box's text in its long view from now on, starting with `shown`.
    void EnterLongMode(TextArea& area, const QString& shown);
    void SyncArea(TextArea& area);
    void ShowCaret(TextArea& area);
    // The widget's position of the model's `position` (bytes) in the box.
    int QtPositionOf(TextArea& area, std::size_t position);
    void ReplaceAreaText(TextArea& area);
    void SyncAreaFromWidget(TextArea& area);
    bool TextAreaEvent(TextArea& area, QEvent* event);

    void ApplyForm(FormEntry& entry);
    void ApplyFormVisibility(FormEntry& entry);
    bool FormEvent(FormEntry& entry, QEvent* event);

    Platform& m_platform;
    std::unordered_map<const Control*, QPointer<QWidget>> m_widgets;
    std::vector<std::unique_ptr<TextArea>> m_areas;
    std::vector<std::unique_ptr<LineEdit>> m_lineEdits;
    std::vector<std::unique_ptr<FormEntry>> m_forms;
    struct DeferredLabel {
        std::function<void()> sync;
        bool changed = false;
    };
    std::vector<std::unique_ptr<DeferredLabel>> m_deferredLabels;
    const Form* m_lastActiveForm = nullptr;
    bool m_flushScheduled = false;
    bool m_focusChosenByUser = false;
    int m_dispatchDepth = 0;
};

}  // namespace vesk::ui
