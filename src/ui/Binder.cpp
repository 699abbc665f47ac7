#include "ui/Binder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "app/RunError.h"
#include "ui/QtText.h"

namespace vesk::ui {

namespace {

class EventHook : public QObject {
  public:
    EventHook(QObject* parent, std::function<bool(QObject*, QEvent*)> hook)
        : QObject(parent), m_hook(std::move(hook)) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return m_hook(watched, event); }

  private:
    std::function<bool(QObject*, QEvent*)> m_hook;
};

constexpr int kKeyCodeF1 = 112;
constexpr int kKeyCodeEnter = 13;

void SyncCommon(const Control& model, QWidget* widget) {
    widget->setEnabled(model.Enabled());
    widget->setVisible(model.Visible());
}

Qt::Alignment ToQtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QFont ToQtFont(const FontSpec& wanted, const QFont& base) {
    QFont font = base;
    if (wanted.family != FontSpec::Family::Default) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(base.pointSizeF() > 0 ? base.pointSizeF() : font.pointSizeF());
        if (wanted.family == FontSpec::Family::Twirler) font.setPointSizeF(font.pointSizeF() * 1.4);
    }
    font.setBold(wanted.bold);
    return font;
}

// A caret position of the program's text as a position in the widget's document, where CR LF is one
// block separator.
int WidgetPosition(const std::string& text, std::size_t position) {
    std::size_t pairs = 0;
    for (std::size_t i = 1; i < position; ++i)
        if (text[i - 1] == '\r' && text[i] == '\n') ++pairs;
    return static_cast<int>(position - pairs);
}

}  // namespace

struct Binder::TextArea {
    TextBox* model = nullptr;
    QPointer<QPlainTextEdit> widget;
    std::string pending;  // appended to the model, not yet shown
    bool shownEndsWithCr = false;
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
    int left = 0, top = 0, width = 0, height = 0;  // last geometry in step with the widget, twips
};

Binder::Binder(Platform& platform) : m_platform(platform) {}
Binder::~Binder() = default;

void Binder::InstallHook(QObject* target, std::function<bool(QObject*, QEvent*)> hook) {
    target->installEventFilter(new EventHook(target, std::move(hook)));
}

QWidget* Binder::WidgetFor(const Control* control) const {
    const auto it = m_widgets.find(control);
    return it == m_widgets.end() ? nullptr : it->second.data();
}

QWidget* Binder::WindowFor(const Form* form) const {
    for (const auto& entry : m_forms)
        if (entry->model == form) return entry->window.data();
    return nullptr;
}

bool Binder::IsOwnWindow(const QWidget* window) const {
    if (!window) return false;
    for (const auto& entry : m_forms)
        if (entry->window == window) return true;
    return false;
}

void Binder::Dispatch(const std::function<void()>& handler) {
    Flush();
    ++m_dispatchDepth;
    try {
        handler();
    } catch (const std::exception& e) {
        m_platform.ShowMessage(e.what(), "Error", MsgButtons::Ok, MsgIcon::Exclamation);
    }
    --m_dispatchDepth;
    Flush();
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
    for (const auto& area : m_areas) FlushArea(*area, std::string::npos);
}

bool Binder::FlushSome(std::size_t maxChars) {
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
    area.applying = true;
    const QSignalBlocker blocker(widget);
    // The piece leaves `pending` before it is shown, so that a flush run meanwhile continues in order.
    if (!area.pending.empty()) {
        const std::size_t length = std::min(maxChars, area.pending.size());
        std::string piece = area.pending.substr(0, length);
        area.pending.erase(0, length);
        std::string_view chunk = piece;
        if (area.shownEndsWithCr && chunk.front() == '\n') chunk.remove_prefix(1);
        area.shownEndsWithCr = piece.back() == '\r';
        widget->document()->setUndoRedoEnabled(false);
        QTextCursor end(widget->document());
        end.movePosition(QTextCursor::End);
        end.insertText(ToQtLines(chunk));
        widget->document()->setUndoRedoEnabled(true);
    }
    const bool all = area.pending.empty();
    if (area.caretPending && all) {
        area.caretPending = false;
        const std::string& text = area.model->Text();
        const std::size_t position = area.model->SelStart();
        QTextCursor caret = widget->textCursor();
        if (position >= text.size())
            caret.movePosition(QTextCursor::End);
        else
            caret.setPosition(std::min(WidgetPosition(text, position), widget->document()->characterCount() - 1));
        widget->setTextCursor(caret);
        widget->ensureCursorVisible();
    }
    area.applying = false;
    return all;
}

void Binder::SyncAreaFromWidget(TextArea& area) {
    QPlainTextEdit* widget = area.widget.data();
    if (!widget) return;
    area.pending.clear();
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
    const std::string& text = area.model->Text();
    area.shownEndsWithCr = !text.empty() && text.back() == '\r';
}

void Binder::Register(Control& model, QWidget* widget) {
    m_widgets[&model] = widget;
    widget->setObjectName(QString::fromStdString(model.Name()));
    model.SetWidth(PixelsToTwips(widget->width()));
    InstallHook(widget, [&model, widget](QObject* watched, QEvent* event) {
        if (watched == widget && event->type() == QEvent::Resize) model.SetWidth(PixelsToTwips(widget->width()));
        return false;
    });
}

void Binder::BindControl(Control& model, QWidget* widget) {
    Register(model, widget);
    QPointer<QWidget> guard(widget);
    auto sync = [&model, guard] {
        if (guard) SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
}

void Binder::BindButton(Button& model, QPushButton* widget) {
    Register(model, widget);
    QPointer<QPushButton> guard(widget);
    auto sync = [&model, guard] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        guard->setText(ToQt(model.Caption()));
        QFont font = guard->font();
        font.setBold(model.Bold());
        guard->setFont(font);
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QPushButton::clicked, this, [this, &model] { Dispatch([&model] { model.Click(); }); });
    InstallHook(widget, [this, &model](QObject*, QEvent* event) {
        if (event->type() != QEvent::KeyRelease) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() || key->key() < Qt::Key_F1 || key->key() > Qt::Key_F12) return false;
        const int code = kKeyCodeF1 + (key->key() - Qt::Key_F1);
        Dispatch([&model, code] { model.KeyUp(code); });
        return false;
    });
}

void Binder::BindCheckBox(CheckBox& model, QCheckBox* widget) {
    Register(model, widget);
    widget->setText(ToQt(model.Caption()));
    QPointer<QCheckBox> guard(widget);
    auto sync = [&model, guard] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        guard->setCheckState(model.Value() == 1   ? Qt::Checked
                             : model.Value() == 2 ? Qt::PartiallyChecked
                                                  : Qt::Unchecked);
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QCheckBox::clicked, this, [this, &model, sync] {
        Dispatch([&model] { model.SetValue(model.Value() == 0 ? 1 : 0); });
        sync();  // the handler may have refused the change
    });
}

void Binder::BindOption(OptionButton& model, QRadioButton* widget) {
    Register(model, widget);
    widget->setText(ToQt(model.Caption()));
    QPointer<QRadioButton> guard(widget);
    auto sync = [&model, guard] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        if (guard->isChecked() != model.Value()) {
            // An exclusive button cannot be unchecked directly; the group's other button is set by its own model.
            const bool exclusive = guard->autoExclusive();
            guard->setAutoExclusive(false);
            guard->setChecked(model.Value());
            guard->setAutoExclusive(exclusive);
        }
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QRadioButton::clicked, this, [this, &model, sync] {
        if (!model.Value()) Dispatch([&model] { model.Select(); });
        sync();
    });
}

void Binder::BindCombo(ComboBox& model, QComboBox* widget) {
    Register(model, widget);
    QPointer<QComboBox> guard(widget);
    auto shownItems = std::make_shared<std::vector<std::string>>();
    auto sync = [&model, guard, shownItems] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        if (*shownItems != model.Items()) {
            guard->clear();
            for (const std::string& item : model.Items()) guard->addItem(ToQt(item));
            *shownItems = model.Items();
        }
        if (guard->currentIndex() != model.ListIndex()) guard->setCurrentIndex(model.ListIndex());
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QComboBox::activated, this, [this, &model, sync](int index) {
        Dispatch([&model, index] { model.SetListIndex(index); });
        sync();
    });
}

void Binder::BindLabel(Label& model, QLabel* widget, bool clickable, CaptionMap map) {
    Register(model, widget);
    widget->setTextFormat(Qt::PlainText);
    QPointer<QLabel> guard(widget);
    const QFont baseFont = widget->font();
    auto sync = [&model, guard, map, baseFont] {
        if (!guard) return;
        const QString caption = map ? map(model.Caption()) : ToQtLines(model.Caption());
        if (guard->text() != caption) guard->setText(caption);
        guard->setAlignment(ToQtAlignment(model.GetAlignment()));
        const QFont font = model.Font() == FontSpec{} ? baseFont : ToQtFont(model.Font(), baseFont);
        if (guard->font() != font) guard->setFont(font);
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    if (!clickable) return;
    widget->setCursor(Qt::PointingHandCursor);
    InstallHook(widget, [this, &model](QObject*, QEvent* event) {
        if (event->type() != QEvent::MouseButtonRelease) return false;
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        Dispatch([&model] { model.Click(); });
        return true;
    });
}

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
        if (e.widget) e.widget->setCursorPosition(static_cast<int>(e.model->SelStart()));
    });
    model.changed.Connect([&e] {
        if (e.widget) SyncCommon(*e.model, e.widget);
    });
    syncText();
    SyncCommon(model, widget);

    connect(widget, &QLineEdit::textEdited, this, [&e](const QString& text) {
        e.fromWidget = true;
        try {
            e.model->SetText(FromQt(text));
        } catch (const RunError&) {
        }
        e.fromWidget = false;
    });
    InstallHook(widget, [this, &e](QObject*, QEvent* event) {
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::PopupFocusReason || e.inLostFocus) return false;
            // Switching to another program is not leaving the box.
            if (reason == Qt::ActiveWindowFocusReason && !IsOwnWindow(QApplication::activeWindow())) return false;
            e.inLostFocus = true;
            Dispatch([&e] {
                if (e.widget) e.model->SetText(FromQt(e.widget->text()));
                e.model->LostFocus();
            });
            e.inLostFocus = false;
            return false;
        }
        if (event->type() == QEvent::KeyPress && e.model->onKeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            int code = -1;
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                code = kKeyCodeEnter;
            else if (key->text().size() == 1) {
                const std::string bytes = FromQt(key->text());
                if (bytes.size() == 1) code = static_cast<unsigned char>(bytes[0]);
            }
            if (code < 0) return false;
            bool accepted = true;
            Dispatch([&e, code, &accepted] { accepted = e.model->KeyPress(code); });
            return !accepted;
        }
        return false;
    });
}

void Binder::BindTextArea(TextBox& model, QPlainTextEdit* widget) {
    Register(model, widget);
    auto entry = std::make_unique<TextArea>();
    entry->model = &model;
    entry->widget = widget;
    TextArea& a = *entry;
    m_areas.push_back(std::move(entry));

    auto replace = [&a] {
        if (!a.widget) return;
        a.pending.clear();
        a.applying = true;
        const QSignalBlocker blocker(a.widget);
        a.widget->document()->setUndoRedoEnabled(false);
        a.widget->setPlainText(ToQtLines(a.model->Text()));
        a.widget->document()->setUndoRedoEnabled(true);
        const std::string& text = a.model->Text();
        a.shownEndsWithCr = !text.empty() && text.back() == '\r';
        a.applying = false;
    };
    model.textChanged.Connect([this, &a, replace](TextChange change) {
        if (a.fromWidget) return;
        if (!change.appended) {
            replace();
            return;
        }
        const std::string& text = a.model->Text();
        a.pending.append(text, change.from, std::string::npos);
        ScheduleFlush();
    });
    model.caretMoved.Connect([this, &a] {
        a.caretPending = true;
        ScheduleFlush();
    });
    model.changed.Connect([&a] {
        if (a.widget) SyncCommon(*a.model, a.widget);
    });
    replace();
    SyncCommon(model, widget);

    connect(widget, &QPlainTextEdit::textChanged, this, [this, &a] {
        if (!a.applying) SyncAreaFromWidget(a);
    });
    InstallHook(widget, [this, &a](QObject*, QEvent* event) {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::InputMethod:
            case QEvent::Drop:
            case QEvent::MouseButtonPress:
                // The user is about to edit: show everything the program appended first.
                FlushArea(a, std::string::npos);
                return false;
            case QEvent::FocusOut: {
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason == Qt::PopupFocusReason || a.inLostFocus || !a.model->onLostFocus) return false;
                if (reason == Qt::ActiveWindowFocusReason && !IsOwnWindow(QApplication::activeWindow())) return false;
                a.inLostFocus = true;
                Dispatch([&a] { a.model->LostFocus(); });
                a.inLostFocus = false;
                return false;
            }
            default:
                return false;
        }
    });
    // The hook must also see the viewport's mouse presses.
    InstallHook(widget->viewport(), [this, &a](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Drop) FlushArea(a, std::string::npos);
        return false;
    });
}

void Binder::ApplyForm(FormEntry& entry) {
    QWidget* window = entry.window.data();
    if (!window) return;
    const Form& model = *entry.model;
    entry.applying = true;
    const QString title = ToQt(model.Caption());
    if (window->windowTitle() != title) window->setWindowTitle(title);
    if (model.Left() != entry.left || model.Top() != entry.top) {
        entry.left = model.Left();
        entry.top = model.Top();
        window->move(TwipsToPixels(model.Left()), TwipsToPixels(model.Top()));
    }
    if ((model.Width() != entry.width || model.Height() != entry.height) && model.Width() > 0 && model.Height() > 0) {
        entry.width = model.Width();
        entry.height = model.Height();
        window->resize(TwipsToPixels(model.Width()), TwipsToPixels(model.Height()));
    }
    if (model.Visible() && !window->isVisible()) {
        if (model.Minimized())
            window->showMinimized();
        else
            window->show();
    } else if (!model.Visible() && window->isVisible()) {
        window->hide();
    } else if (window->isVisible() && model.Minimized() != window->isMinimized()) {
        if (model.Minimized())
            window->showMinimized();
        else
            window->showNormal();
    }
    entry.applying = false;
}

void Binder::BindForm(Form& model, QWidget* window, FormHooks hooks) {
    window->setObjectName(QString::fromStdString(model.Name()));
    auto owned = std::make_unique<FormEntry>();
    owned->model = &model;
    owned->window = window;
    owned->hooks = std::move(hooks);
    FormEntry& entry = *owned;
    m_forms.push_back(std::move(owned));

    // The model starts with the window's designed size, which the program's placement rules use.
    const QSize size = window->size();
    entry.width = PixelsToTwips(size.width());
    entry.height = PixelsToTwips(size.height());
    model.Resize(entry.width, entry.height);

    model.changed.Connect([this, &entry] { ApplyForm(entry); });
    model.shown.Connect([this, &entry] {
        ApplyForm(entry);
        if (!entry.window) return;
        entry.window->raise();
        entry.window->activateWindow();
    });
    model.focusRequested.Connect([this](Control* control) {
        if (QWidget* widget = WidgetFor(control)) widget->setFocus(Qt::OtherFocusReason);
    });
    ApplyForm(entry);

    InstallHook(window, [this, &entry](QObject* watched, QEvent* event) {
        if (watched != entry.window) return false;
        QWidget* w = entry.window;
        switch (event->type()) {
            case QEvent::Close:
                if (!entry.hooks.closeRequested) return false;
                event->ignore();
                Dispatch(entry.hooks.closeRequested);
                return true;
            case QEvent::Move:
                if (!entry.applying && w->isVisible()) {
                    entry.left = PixelsToTwips(w->pos().x());
                    entry.top = PixelsToTwips(w->pos().y());
                    entry.model->Move(entry.left, entry.top);
                }
                return false;
            case QEvent::Resize:
                if (!entry.applying) {
                    entry.width = PixelsToTwips(w->width());
                    entry.height = PixelsToTwips(w->height());
                    entry.model->Resize(entry.width, entry.height);
                }
                if (entry.hooks.resized) Dispatch(entry.hooks.resized);
                return false;
            case QEvent::WindowStateChange:
                if (!entry.applying) entry.model->SetMinimized(w->isMinimized());
                return false;
            case QEvent::WindowActivate: {
                const bool fromOtherWindow = m_lastActiveForm != entry.model;
                m_lastActiveForm = entry.model;
                if (fromOtherWindow && entry.hooks.activated) Dispatch(entry.hooks.activated);
                return false;
            }
            default:
                return false;
        }
    });
}

}  // namespace vesk::ui
