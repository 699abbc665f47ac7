// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keys that work alike in every window of the program, whichever control has the focus: F1 opens the help,
// and Esc closes a window that can be closed without quitting (as its "Close" button does).

#include <functional>

class QWidget;

namespace vesk::ui {

class Binder;

// `help` and `close` run as handlers of the window's events; without `close`, Esc does nothing there.
void AddWindowKeys(QWidget& window, Binder& binder, std::function<void()> help, std::function<void()> close = {});

}  // namespace vesk::ui
