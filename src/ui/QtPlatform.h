// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop services of the program, on Qt: message boxes, file dialogs, the clipboard, the browser,
// the event pump and repaints of the bound widgets.

#include <QString>
#include <functional>

#include "app/Platform.h"
#include "ui/PumpThrottle.h"

namespace vesk::ui {

class Binder;

class QtPlatform : public Platform {
  public:
    // The binder lets repaints find the widget of a control and lets the pump show pending text first.
    void SetBinder(Binder* binder) { m_binder = binder; }
    // EndProgram was called before the event loop ran (the caller then returns instead of running it).
    bool EndRequested() const { return m_endRequested; }
    // Runs when EndProgram is about to end the running program.
    void OnEnd(std::function<void()> hook) { m_onEnd = std::move(hook); }

    MsgAnswer ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons, MsgIcon icon) override;
    std::optional<std::string> ShowFileDialog(const FileDialogRequest& request, const std::string& folder) override;
    std::optional<std::string> ShowFolderDialog(const std::string& title, const std::string& folder) override;
    std::string ReadClipboardText() override;
    void ClearClipboard() override;
    void WriteClipboardText(const std::string& text) override;
    bool OpenUrl(const std::string& address) override;
    void PumpEvents() override;
    void PumpEventsNow() override;
    void Repaint(const Control* control) override;
    std::string ProgramFolder() override;
    std::string UserDataFolder() override;
    std::string CurrentDirectory() override;
    std::string HomeFolder() override;
    int ScreenWidthTwips() override;
    void EndProgram() override;

  private:
    Binder* m_binder = nullptr;
    PumpThrottle m_pumpThrottle;
    PumpThrottle m_repaintThrottle;
    bool m_endRequested = false;
    std::function<void()> m_onEnd;
};

// Shared by every platform that drives the real widgets: shows pending text, then runs pending events.
void PumpQtEvents(Binder* binder);
// Redraws the widget of a control (null: the active window) at once.
void RepaintQtControl(Binder* binder, const Control* control);

// A filter "Description | *.ext | Description 2 | *.a;*.b" as Qt writes it: "Description (*.ext);;...".
// "*.*" means every file, as it does on the desktop the filters were written for.
QString ToQtFileFilter(const std::string& filter);
// The extension of a filter with one pattern "*.ext" ("ext"); empty for any other filter.
QString DefaultSuffixOf(const std::string& filter);

}  // namespace vesk::ui
