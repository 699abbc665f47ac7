// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names given without a dialog: files dragged from a file manager onto a window, and names completed
// from the file system as the user types them.

#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace vesk::ui {

// The window and every box in it take a dragged file as a file named (`onDrop` gets its local path), never as
// text to insert; other drags behave as before.
void AcceptFileDrops(QWidget& window, std::function<void(const QString& path)> onDrop);

// `box` offers the names of the folder typed so far that begin with what follows its last "/".
void CompleteFileNames(QLineEdit& box);

}  // namespace vesk::ui
