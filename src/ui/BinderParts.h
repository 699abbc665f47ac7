// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Binder keeps for each kind of widget it binds, and the small pieces its files share. Internal to
// the Binder's files.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "app/Controls.h"
#include "ui/Binder.h"

class QEvent;
class QLineEdit;
class QPlainTextEdit;

namespace vesk::ui {

class LongTextView;

// Key codes of the program for keys Qt names otherwise.
constexpr int kKeyCodeEnter = 13;

inline void SyncCommon(const Control& model, QWidget* widget) {
    widget->setEnabled(model.Enabled());
    widget->setVisible(model.Visible());
}

struct Binder::TextArea {
    TextBox* model = nullptr;
    QPointer<QPlainTextEdit> widget;
    // Shown instead of `widget` while the text has a line longer than kLongLineChars; `widget` then keeps the
    // text hidden, never laid out. Null for a box that wraps its lines.
    QPointer<LongTextView> longView;
    bool longMode = false;
    std::string pending;  // appended to the model, not yet shown
    bool shownEndsWithCr = false;
    int linesInParagraph = 0;  // lines shown since the last paragraph break (ToQtLineGroups)
    int lastLineChars = 0;     // the length of the last line shown (UTF-16 code units)
    // A caret position met before and its place in the widget, so that a caret near the end of a long text that
    // only grows is placed without counting the text from its start.
    std::size_t knownBytes = 0;
    int knownUnits = 0;
    bool caretPending = false;
    bool applying = false;
    bool fromWidget = false;
    bool inLostFocus = false;
};

struct Binder::LineEdit {
    TextBox* model = nullptr;
    QPointer<QLineEdit> widget;
    bool fromWidget = false;
    bool inLostFocus = false;
};

struct Binder::FormEntry {
    Form* model = nullptr;
    QPointer<QWidget> window;
    FormHooks hooks;
    bool applying = false;
    bool reporting = false;                        // telling the model where the widget went
    int left = 0, top = 0, width = 0, height = 0;  // last geometry in step with the widget, twips
};

}  // namespace vesk::ui
