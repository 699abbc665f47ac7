// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows on the screen: kept within the room the desktop leaves them, and their places remembered between
// runs in a small file of their own (key=value lines, in pixels), apart from the program's state file.

#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace vesk::ui {

// Moves and shrinks a window just enough that it and its frame lie within the available area of its screen
// (the frame is guessed until the window has been shown). Returns whether it changed anything.
bool FitOnScreen(QWidget& window);

// The places of the windows, by the windows' object names.
class WindowPlaces {
  public:
    explicit WindowPlaces(QString file) : m_file(std::move(file)) {}

    // Where `window` was last time (its frame's top left corner and its inner size), when that place lies
    // within the available area of a screen now.
    std::optional<QRect> Remembered(const QWidget& window) const;
    void Remember(const QWidget& window) const;

  private:
    QString m_file;
};

}  // namespace vesk::ui
