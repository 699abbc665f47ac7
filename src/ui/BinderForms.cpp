// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: caption, place, size and visibility from the model; moves, resizes, closing and activation back.

#include <QEvent>
#include <QWidget>

#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/QtText.h"
#include "ui/WindowPlaces.h"

namespace vesk::ui {

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
        if (m_focusChosenByUser) return;
        if (QWidget* widget = WidgetFor(control)) widget->setFocus(Qt::OtherFocusReason);
    });
    ApplyForm(entry);

    InstallHook(window, [this, &entry](QObject* watched, QEvent* event) {
        return watched == entry.window && FormEvent(entry, event);
    });
}

void Binder::ApplyForm(FormEntry& entry) {
    QWidget* window = entry.window.data();
    if (!window || entry.reporting) return;
    Form& model = *entry.model;
    const bool wasApplying = entry.applying;
    entry.applying = true;
    const QString title = ToQt(model.Caption());
    if (window->windowTitle() != title) window->setWindowTitle(title);
    bool placed = false;
    if (model.Left() != entry.left || model.Top() != entry.top) {
        entry.left = model.Left();
        entry.top = model.Top();
        window->move(TwipsToPixels(model.Left()), TwipsToPixels(model.Top()));
        placed = true;
    }
    if ((model.Width() != entry.width || model.Height() != entry.height) && model.Width() > 0 && model.Height() > 0) {
        placed = true;
        entry.width = model.Width();
        entry.height = model.Height();
        window->resize(TwipsToPixels(model.Width()), TwipsToPixels(model.Height()));
    }
    // A place the screen has no room for (a small or scaled screen) gives way; the model learns where it went.
    if (placed && FitOnScreen(*window)) {
        entry.left = PixelsToTwips(window->x());
        entry.top = PixelsToTwips(window->y());
        entry.width = PixelsToTwips(window->width());
        entry.height = PixelsToTwips(window->height());
        entry.reporting = true;  // the widget is there already
        model.Move(entry.left, entry.top);
        model.Resize(entry.width, entry.height);
        entry.reporting = false;
    }
    ApplyFormVisibility(entry);
    entry.applying = wasApplying;
}

void Binder::ApplyFormVisibility(FormEntry& entry) {
    QWidget* window = entry.window.data();
    const Form& model = *entry.model;
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
}

bool Binder::FormEvent(FormEntry& entry, QEvent* event) {
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
}

}  // namespace vesk::ui
