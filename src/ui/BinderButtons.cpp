// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons and labels: captions from the model, clicks to it. F1 is a key of every window (WindowKeys).

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/Binder.h"
#include "ui/BinderParts.h"
#include "ui/Mnemonics.h"
#include "ui/QtText.h"

namespace vesk::ui {

namespace {

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

}  // namespace

void Binder::BindButton(Button& model, QPushButton* widget) {
    Register(model, widget);
    QPointer<QPushButton> guard(widget);
    auto sync = [&model, guard] {
        if (!guard) return;
        const QSignalBlocker blocker(guard);
        SetCaption(*guard, ToQt(model.Caption()));
        QFont font = guard->font();
        font.setBold(model.Bold());
        guard->setFont(font);
        SyncCommon(model, guard);
    };
    model.changed.Connect(sync);
    sync();
    connect(widget, &QPushButton::clicked, this, [this, &model] { Dispatch([&model] { model.Click(); }); });
}

void Binder::BindLabel(Label& model, QLabel* widget, bool clickable, CaptionMap map, bool deferred) {
    Register(model, widget);
    widget->setTextFormat(Qt::PlainText);
    QPointer<QLabel> guard(widget);
    const QFont baseFont = widget->font();
    auto sync = [&model, guard, map = std::move(map), baseFont] {
        if (!guard) return;
        const QString caption = map ? map(model.Caption()) : ToQtLines(model.Caption());
        if (guard->text() != caption) guard->setText(caption);
        guard->setAlignment(ToQtAlignment(model.GetAlignment()));
        const QFont font = model.Font() == FontSpec{} ? baseFont : ToQtFont(model.Font(), baseFont);
        if (guard->font() != font) guard->setFont(font);
        SyncCommon(model, guard);
    };
    if (deferred) {
        m_deferredLabels.push_back(std::make_unique<DeferredLabel>(DeferredLabel{sync}));
        model.changed.Connect([&entry = *m_deferredLabels.back()] { entry.changed = true; });
    } else {
        model.changed.Connect(sync);
    }
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

void Binder::ApplyDeferredLabels() {
    for (const auto& label : m_deferredLabels) {
        if (!label->changed) continue;
        label->changed = false;
        label->sync();
    }
}

}  // namespace vesk::ui
