// SPDX-License-Identifier: GPL-3.0-or-later
// Multi-line text boxes (the output box): text appended by the program is collected and shown in pieces,
// the user's edits go back to the model, and the box being left runs its handler.

#include <QEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "listing/RunError.h"
#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/QtText.h"

namespace vesk::ui {

namespace {

bool EndsWithCr(const std::string& text) { return !text.empty() && text.back() == '\r'; }

}  // namespace

void Binder::BindTextArea(TextBox& model, QPlainTextEdit* widget) {
    Register(model, widget);
    auto entry = std::make_unique<TextArea>();
    entry->model = &model;
    entry->widget = widget;
    TextArea& a = *entry;
    m_areas.push_back(std::move(entry));

    model.textChanged.Connect([this, &a](TextChange change) {
        if (a.fromWidget) return;
        if (!change.appended) {
            ReplaceAreaText(a);
            return;
        }
        const std::string_view added = std::string_view(a.model->Text()).substr(change.from);
        a.pendingBreaksLine = a.pendingBreaksLine || added.find_first_of("\r\n") != std::string_view::npos;
        a.pending.append(added);
        ScheduleFlush();
    });
    model.caretMoved.Connect([this, &a] {
        a.caretPending = true;
        ScheduleFlush();
    });
    model.changed.Connect([&a] {
        if (a.widget) SyncCommon(*a.model, a.widget);
    });
    ReplaceAreaText(a);
    SyncCommon(model, widget);

    connect(widget, &QPlainTextEdit::textChanged, this, [this, &a] {
        if (!a.applying) SyncAreaFromWidget(a);
    });
    InstallHook(widget, [this, &a](QObject*, QEvent* event) { return TextAreaEvent(a, event); });
    // The hook must also see the viewport's mouse presses.
    InstallHook(widget->viewport(), [this, &a](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Drop) FlushArea(a, std::string::npos);
        return false;
    });
}

bool Binder::TextAreaEvent(TextArea& a, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::Drop:
        case QEvent::MouseButtonPress:
            // The user is about to edit: show everything the program appended first.
            FlushArea(a, std::string::npos);
            return false;
        case QEvent::FocusOut:
            if (a.inLostFocus || !a.model->onLostFocus || !LeavesTheBox(event)) return false;
            a.inLostFocus = true;
            DispatchLostFocus(event, [&a] { a.model->LostFocus(); });
            a.inLostFocus = false;
            return false;
        default:
            return false;
    }
}

void Binder::ReplaceAreaText(TextArea& a) {
    if (!a.widget) return;
    a.pending.clear();
    a.pendingBreaksLine = false;
    a.applying = true;
    const QSignalBlocker blocker(a.widget);
    a.widget->document()->setUndoRedoEnabled(false);
    a.linesInParagraph = 0;
    a.knownBytes = 0;
    a.knownUnits = 0;
    a.widget->setPlainText(ToQtLineGroups(a.model->Text(), a.linesInParagraph));
    a.widget->document()->setUndoRedoEnabled(true);
    a.shownEndsWithCr = EndsWithCr(a.model->Text());
    a.applying = false;
}

void Binder::SyncAreaFromWidget(TextArea& area) {
    QPlainTextEdit* widget = area.widget.data();
    if (!widget) return;
    area.pending.clear();
    area.pendingBreaksLine = false;
    area.knownBytes = 0;
    area.knownUnits = 0;
    area.fromWidget = true;
    try {
        area.model->SetText(FromQt(widget->toPlainText(), true));
    } catch (const RunError&) {
        // More than the box holds: the widget goes back to the text the program has.
        area.applying = true;
        const QSignalBlocker blocker(widget);
        widget->setPlainText(ToQtLines(area.model->Text()));
        area.applying = false;
    }
    area.fromWidget = false;
    area.shownEndsWithCr = EndsWithCr(area.model->Text());
}

void Binder::ScheduleFlush() {
    if (m_flushScheduled) return;
    m_flushScheduled = true;
    // Bounded, since the timer may fire inside the pump of a listing that is still adding text.
    QTimer::singleShot(0, this, [this] {
        m_flushScheduled = false;
        FlushSome(kFlushPieceChars);
    });
}

void Binder::Flush() {
    m_flushScheduled = false;
    ApplyDeferredLabels();
    for (const auto& area : m_areas) FlushArea(*area, std::string::npos);
}

bool Binder::FlushSome(std::size_t maxChars) {
    ApplyDeferredLabels();
    bool all = true;
    for (const auto& area : m_areas) all = FlushArea(*area, maxChars) && all;
    if (!all) ScheduleFlush();
    return all;
}

std::size_t Binder::PendingChars() const {
    std::size_t count = 0;
    for (const auto& area : m_areas) count += area->pending.size();
    return count;
}

bool Binder::FlushArea(TextArea& area, std::size_t maxChars) {
    QPlainTextEdit* widget = area.widget.data();
    if (!widget) return true;
    if (area.pending.empty() && !area.caretPending) return true;
    // Qt shapes a line whole each time it changes and is painted: a line that grows through a long listing
    // (words joined with commas) is shown when the listing ends, not piece by piece.
    if (maxChars != std::string::npos && !area.pendingBreaksLine &&
        widget->document()->lastBlock().length() > kLongLineChars)
        return true;
    area.applying = true;
    const QSignalBlocker blocker(widget);
    // The piece leaves `pending` before it is shown, so that a flush run meanwhile continues in order.
    if (!area.pending.empty()) {
        std::size_t length = std::min(maxChars, area.pending.size());
        // A piece ends between two characters, never inside one.
        const auto inside = [&](std::size_t at) {
            return at < area.pending.size() && (static_cast<unsigned char>(area.pending[at]) & 0xC0) == 0x80;
        };
        while (length > 0 && inside(length)) --length;
        if (length == 0)
            while (inside(++length)) {
            }
        std::string piece = area.pending.substr(0, length);
        area.pending.erase(0, length);
        if (area.pendingBreaksLine) area.pendingBreaksLine = area.pending.find_first_of("\r\n") != std::string::npos;
        std::string_view chunk = piece;
        if (area.shownEndsWithCr && chunk.front() == '\n') chunk.remove_prefix(1);
        area.shownEndsWithCr = piece.back() == '\r';
        widget->document()->setUndoRedoEnabled(false);
        QTextCursor end(widget->document());
        end.movePosition(QTextCursor::End);
        end.insertText(ToQtLineGroups(chunk, area.linesInParagraph));
        widget->document()->setUndoRedoEnabled(true);
    }
    const bool all = area.pending.empty();
    if (area.caretPending && all) ShowCaret(area);
    area.applying = false;
    return all;
}

int Binder::QtPositionOf(TextArea& area, std::size_t position) {
    const std::string_view text = area.model->Text();
    std::size_t from = 0;
    int units = 0;
    if (area.knownBytes <= position) {
        from = area.knownBytes;
        units = area.knownUnits;
    }
    units += ToQtPosition(text.substr(from), position - from, true);
    // Never between CR and LF, which count as one character.
    if (position > 0 && position <= text.size() && text[position - 1] != '\r') {
        area.knownBytes = position;
        area.knownUnits = units;
    }
    return units;
}

void Binder::ShowCaret(TextArea& area) {
    QPlainTextEdit* widget = area.widget.data();
    area.caretPending = false;
    const std::string& text = area.model->Text();
    const std::size_t position = area.model->SelStart();
    QTextCursor caret = widget->textCursor();
    if (position >= text.size())
        caret.movePosition(QTextCursor::End);
    else
        caret.setPosition(std::min(QtPositionOf(area, position), widget->document()->characterCount() - 1));
    widget->setTextCursor(caret);
    widget->ensureCursorVisible();
}

}  // namespace vesk::ui
