// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlaces.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace vesk::ui {

namespace {

// The frame of a window that has not been shown yet: a title bar and thin borders.
constexpr QMargins kGuessedFrame(4, 32, 4, 4);

QMargins Frame(const QWidget& window) {
    if (!window.isVisible()) return kGuessedFrame;
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// `place`: the frame's top left corner and the inner size, as move() and resize() take them.
QRect Outer(const QRect& place, const QMargins& frame) { return {place.topLeft(), place.size().grownBy(frame)}; }

}  // namespace

bool FitOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return false;
    const QRect area = screen->availableGeometry();
    const QMargins frame = Frame(window);
    const QSize size = window.size().boundedTo(area.size().shrunkBy(frame)).expandedTo(window.minimumSize());
    const QSize outer = size.grownBy(frame);
    const QPoint corner(std::clamp(window.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
                        std::clamp(window.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (size == window.size() && corner == window.pos()) return false;
    window.resize(size);
    window.move(corner);
    return true;
}

std::optional<QRect> WindowPlaces::Remembered(const QWidget& window) const {
    QSettings file(m_file, QSettings::IniFormat);
    file.beginGroup(window.objectName());
    const QRect place(file.value("left", -1).toInt(), file.value("top", -1).toInt(), file.value("width", 0).toInt(),
                      file.value("height", 0).toInt());
    if (place.width() <= 0 || place.height() <= 0) return std::nullopt;
    const QRect outer = Outer(place, Frame(window));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(outer)) return place;
    return std::nullopt;
}

void WindowPlaces::Remember(const QWidget& window) const {
    QSettings file(m_file, QSettings::IniFormat);
    file.beginGroup(window.objectName());
    const QRect place =
        window.isMaximized() || window.isMinimized() ? window.normalGeometry() : QRect(window.pos(), window.size());
    file.setValue("left", place.x());
    file.setValue("top", place.y());
    file.setValue("width", place.width());
    file.setValue("height", place.height());
}

}  // namespace vesk::ui
