// SPDX-License-Identifier: GPL-3.0-or-later
// Multi-line text boxes (the output box): text appended by the program is collected and shown in pieces,
// the user's edits go back to the model, and the box being left runs its handler. A box of unwrapped lines
// whose text has a very long line shows it in a LongTextView instead.

#include <QEvent>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "listing/RunError.h"
#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/LongTextView.h"
#include "ui/QtText.h"

namespace vesk::ui {

namespace {

bool EndsWithCr(const std::string& text) { return !text.empty() && text.back() == '\r'; }

bool IsBreak(QChar c) { return c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator; }

// The length of the last line of `text` once it follows a last line `lastLine` characters long.
int LastLineAfter(int lastLine, const QString& text) {
    for (qsizetype i = text.size(); i > 0; --i)
        if (IsBreak(text[i - 1])) return static_cast<int>(text.size() - i);
    return lastLine + static_cast<int>(text.size());
}

// The longest line of `text` once it follows a last line `lastLine` characters long.
int LongestLineAfter(int lastLine, const QString& text) {
    int line = lastLine;
    int longest = line;
    for (const QChar c : text) {
        line = IsBreak(c) ? 0 : line + 1;
        longest = std::max(longest, line);
    }
    return longest;
}

// Appends to the document of a hidden box without laying out its last paragraph: a document lays a paragraph
// out at once when an edit changes it and no other, so the text goes in with a paragraph break of its own,
// which a second edit takes away; neither leaves the paragraph laid out.
void AppendUnlaidOut(QTextDocument& document, const QString& text) {
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setPosition(document.characterCount() - 1);
    cursor.insertText(text + QChar::ParagraphSeparator);
    cursor.endEditBlock();
    cursor.beginEditBlock();
    cursor.setPosition(document.characterCount() - 2);
    cursor.setPosition(document.characterCount() - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
}

// A long view beside a box of unwrapped lines, in the box's place in its window's layout; null for a box
// that wraps its lines or has no layout around it.
LongTextView* AddLongView(QPlainTextEdit* box) {
    QWidget* parent = box->parentWidget();
    if (box->lineWrapMode() != QPlainTextEdit::NoWrap || parent == nullptr || parent->layout() == nullptr)
        return nullptr;
    auto* holder = new QWidget(parent);
    std::unique_ptr<QLayoutItem> old(parent->layout()->replaceWidget(box, holder));
    if (!old) {
        delete holder;
        return nullptr;
    }
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box);
    auto* view = new LongTextView(holder);
    view->setFont(box->font());
    view->setAccessibleName(box->accessibleName());
    view->setMinimumSize(box->minimumSize());
    view->setSizePolicy(box->sizePolicy());
    view->hide();
    layout->addWidget(view);
    QWidget::setTabOrder(box, view);
    return view;
}

}  // namespace

void Binder::BindTextArea(TextBox& model, QPlainTextEdit* widget) {
    Register(model, widget);
    auto entry = std::make_unique<TextArea>();
    entry->model = &model;
    entry->widget = widget;
    entry->longView = AddLongView(widget);
    TextArea& a = *entry;
    m_areas.push_back(std::move(entry));

    model.textChanged.Connect([this, &a](TextChange change) {
        if (a.fromWidget) return;
        if (!change.appended) {
            ReplaceAreaText(a);
            return;
        }
        a.pending.append(std::string_view(a.model->Text()).substr(change.from));
        ScheduleFlush();
    });
    model.caretMoved.Connect([this, &a] {
        a.caretPending = true;
        ScheduleFlush();
    });
    model.changed.Connect([this, &a] { SyncArea(a); });
    ReplaceAreaText(a);
    SyncArea(a);

    connect(widget, &QPlainTextEdit::textChanged, this, [this, &a] {
        if (!a.applying) SyncAreaFromWidget(a);
    });
    // The hooks must also see the viewports' mouse presses.
    const auto viewportHook = [this, &a](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Drop) FlushArea(a, std::string::npos);
        return false;
    };
    InstallHook(widget, [this, &a](QObject*, QEvent* event) { return TextAreaEvent(a, event); });
    InstallHook(widget->viewport(), viewportHook);
    if (a.longView) {
        InstallHook(a.longView, [this, &a](QObject*, QEvent* event) { return TextAreaEvent(a, event); });
        InstallHook(a.longView->viewport(), viewportHook);
    }
}

void Binder::SyncArea(TextArea& a) {
    if (!a.widget) return;
    if (!a.longView) return SyncCommon(*a.model, a.widget);
    // The box is never shown while its long view is, even for a moment: it would lay its text out.
    a.widget->setEnabled(a.model->Enabled());
    a.widget->setVisible(a.model->Visible() && !a.longMode);
    a.longView->setEnabled(a.model->Enabled());
    a.longView->setVisible(a.model->Visible() && a.longMode);
    // The focus given to the box goes to the view that stands in for it.
    a.widget->setFocusProxy(a.longMode ? a.longView.data() : nullptr);
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

void Binder::EnterLongMode(TextArea& a, const QString& shown) {
    const bool focused = a.widget->hasFocus();
    a.longMode = true;
    SyncArea(a);
    a.longView->SetText(shown);
    if (focused) a.longView->setFocus();
}

void Binder::ReplaceAreaText(TextArea& a) {
    if (!a.widget) return;
    a.pending.clear();
    a.applying = true;
    const QSignalBlocker blocker(a.widget);
    a.widget->document()->setUndoRedoEnabled(false);
    a.linesInParagraph = 0;
    a.knownBytes = 0;
    a.knownUnits = 0;
    const QString text = ToQtLineGroups(a.model->Text(), a.linesInParagraph);
    a.lastLineChars = LastLineAfter(0, text);
    const bool wasLong = a.longMode;
    a.longMode = a.longView && LongestLineAfter(0, text) > kLongLineChars;
    if (a.longMode) {
        EnterLongMode(a, text);
        a.widget->document()->clear();
        AppendUnlaidOut(*a.widget->document(), text);
    } else {
        a.widget->setPlainText(text);
        if (wasLong) {
            const bool focused = a.longView->hasFocus();
            a.longView->SetText({});
            SyncArea(a);
            if (focused) a.widget->setFocus();
        }
    }
    a.widget->document()->setUndoRedoEnabled(true);
    a.shownEndsWithCr = EndsWithCr(a.model->Text());
    a.applying = false;
}

void Binder::SyncAreaFromWidget(TextArea& area) {
    QPlainTextEdit* widget = area.widget.data();
    if (!widget) return;
    area.pending.clear();
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
    area.lastLineChars = LastLineAfter(0, widget->toPlainText());
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

std::string Binder::TakePiece(TextArea& area, std::size_t maxChars) {
    std::size_t length = std::min(maxChars, area.pending.size());
    const auto inside = [&](std::size_t at) {
        return at < area.pending.size() && (static_cast<unsigned char>(area.pending[at]) & 0xC0) == 0x80;
    };
    while (length > 0 && inside(length)) --length;
    if (length == 0)
        while (inside(++length)) {
        }
    std::string piece = area.pending.substr(0, length);
    area.pending.erase(0, length);
    return piece;
}

void Binder::ShowPiece(TextArea& area, const std::string& piece) {
    QPlainTextEdit* widget = area.widget.data();
    std::string_view chunk = piece;
    if (area.shownEndsWithCr && chunk.front() == '\n') chunk.remove_prefix(1);
    area.shownEndsWithCr = piece.back() == '\r';
    const QString text = ToQtLineGroups(chunk, area.linesInParagraph);
    const int lastLine = LastLineAfter(area.lastLineChars, text);
    if (!area.longMode && area.longView && LongestLineAfter(area.lastLineChars, text) > kLongLineChars)
        EnterLongMode(area, ToQtLines(std::string_view(area.model->Text())
                                          .substr(0, area.model->Text().size() - area.pending.size() - piece.size())));
    area.lastLineChars = lastLine;
    widget->document()->setUndoRedoEnabled(false);
    if (area.longMode) {
        AppendUnlaidOut(*widget->document(), text);
        area.longView->Append(text);
    } else {
        // In an edit block, and placed by position: a cursor moved otherwise lays out the line it is on.
        QTextCursor end(widget->document());
        end.beginEditBlock();
        end.setPosition(widget->document()->characterCount() - 1);
        end.insertText(text);
        end.endEditBlock();
    }
    widget->document()->setUndoRedoEnabled(true);
}

bool Binder::FlushArea(TextArea& area, std::size_t maxChars) {
    QPlainTextEdit* widget = area.widget.data();
    if (!widget) return true;
    if (area.pending.empty() && !area.caretPending) return true;
    area.applying = true;
    const QSignalBlocker blocker(widget);
    // The piece leaves `pending` before it is shown, so that a flush run meanwhile continues in order.
    if (!area.pending.empty()) ShowPiece(area, TakePiece(area, maxChars));
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
    if (area.longMode) {
        const int end = static_cast<int>(area.longView->Text().size());
        area.longView->SetCaret(position >= text.size() ? end : std::min(QtPositionOf(area, position), end));
        return;
    }
    QTextCursor caret = widget->textCursor();
    if (position >= text.size())
        caret.movePosition(QTextCursor::End);
    else
        caret.setPosition(std::min(QtPositionOf(area, position), widget->document()->characterCount() - 1));
    widget->setTextCursor(caret);
    widget->ensureCursorVisible();
}

}  // namespace vesk::ui
