// SPDX-License-Identifier: GPL-3.0-or-later
// One-line text boxes: the model's text and caret, the widget's new text (typed, pasted or set through the
// accessibility interface), the box being left and typed keys.

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "listing/RunError.h"
#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/QtText.h"

namespace vesk::ui {

namespace {

// The program's code of a typed key, or -1 for a key it does not see.
int KeyCode(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) return kKeyCodeEnter;
    if (key.text().size() != 1) return -1;
    const std::string bytes = FromQt(key.text());
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : -1;
}

}  // namespace

void Binder::BindLineEdit(TextBox& model, QLineEdit* widget) {
    Register(model, widget);
    auto entry = std::make_unique<LineEdit>();
    entry->model = &model;
    entry->widget = widget;
    LineEdit& e = *entry;
    m_lineEdits.push_back(std::move(entry));

    auto syncText = [&e] {
        if (!e.widget || e.fromWidget) return;
        const QString text = ToQt(e.model->Text());
        if (e.widget->text() == text) return;
        const QSignalBlocker blocker(e.widget);
        e.widget->setText(text);
    };
    model.textChanged.Connect([syncText](TextChange) { syncText(); });
    model.caretMoved.Connect([&e] {
        if (e.widget) e.widget->setCursorPosition(ToQtPosition(e.model->Text(), e.model->SelStart()));
    });
    model.changed.Connect([&e] {
        if (e.widget) SyncCommon(*e.model, e.widget);
    });
    syncText();
    SyncCommon(model, widget);

    connect(widget, &QLineEdit::textChanged, this, [&e](const QString& text) {
        e.fromWidget = true;
        try {
            e.model->SetText(FromQt(text));
        } catch (const RunError&) {
        }
        e.fromWidget = false;
    });
    InstallHook(widget, [this, &e](QObject*, QEvent* event) { return LineEditEvent(e, event); });
}

bool Binder::LineEditEvent(LineEdit& e, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (e.inLostFocus || !LeavesTheBox(event)) return false;
        e.inLostFocus = true;
        DispatchLostFocus(event, [&e] {
            if (e.widget) e.model->SetText(FromQt(e.widget->text()));
            e.model->LostFocus();
        });
        e.inLostFocus = false;
        return false;
    }
    if (event->type() != QEvent::KeyPress || !e.model->onKeyPress) return false;
    const int code = KeyCode(*static_cast<QKeyEvent*>(event));
    if (code < 0) return false;
    bool accepted = true;
    Dispatch([&e, code, &accepted] { accepted = e.model->KeyPress(code); });
    return !accepted;
}

}  // namespace vesk::ui
