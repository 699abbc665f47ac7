// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Binder.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>

#include "ui/BinderParts.h"
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

}  // namespace

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

bool Binder::LeavesTheBox(const QEvent* event) const {
    if (event->type() != QEvent::FocusOut) return false;
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    if (reason == Qt::PopupFocusReason) return false;
    // Switching to another program is not leaving the box.
    return reason != Qt::ActiveWindowFocusReason || IsOwnWindow(QApplication::activeWindow());
}

void Binder::DispatchLostFocus(const QEvent* focusOut, const std::function<void()>& handler) {
    const auto reason = static_cast<const QFocusEvent*>(focusOut)->reason();
    const bool wasChosen = m_focusChosenByUser;
    m_focusChosenByUser = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                          reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    Dispatch(handler);
    m_focusChosenByUser = wasChosen;
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

}  // namespace vesk::ui
