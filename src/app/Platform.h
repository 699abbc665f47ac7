// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every service of the desktop that the logic uses goes through this one interface: the Qt program
// implements it with real dialogs, tests and fuzz targets with scripted ones.
// All texts crossing it are UTF-8 strings.

#include <optional>
#include <string>

namespace vesk {

class Control;

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Information, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// The title of a message box shown "with the default title".
inline constexpr const char* kDefaultMessageTitle = "VESK";

// Option flags of the file dialog, as the program sets them.
namespace FileDialogFlags {
inline constexpr unsigned kReadOnly = 0x1;
inline constexpr unsigned kOverwritePrompt = 0x2;
inline constexpr unsigned kHideReadOnly = 0x4;
inline constexpr unsigned kNoReadOnlyReturn = 0x8000;
inline constexpr unsigned kPathMustExist = 0x800;
inline constexpr unsigned kFileMustExist = 0x1000;
// A folder is chosen, not a file.
inline constexpr unsigned kPickFolder = 0x10000;
}  // namespace FileDialogFlags

struct FileDialogRequest {
    std::string title;
    std::string filter;  // "Description | *.ext" pairs, or empty for none
    unsigned flags = 0;
    bool save = false;  // the save form of the dialog, else the open form
    std::string fileName;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal message box; returns the button pressed.
    virtual MsgAnswer ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons,
                                  MsgIcon icon) = 0;
    // The common file dialog, opened in `folder`; returns the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> ShowFileDialog(const FileDialogRequest& request, const std::string& folder) = 0;
    // The dialog that chooses an existing folder, opened in `folder`; nothing when cancelled. By default the
    // file dialog asked for a folder, so that scripted platforms answer it from the same queue.
    virtual std::optional<std::string> ShowFolderDialog(const std::string& title, const std::string& folder) {
        return ShowFileDialog(FileDialogRequest{title, {}, FileDialogFlags::kPickFolder, false, {}}, folder);
    }

    // Clipboard text, as it is. May throw RunError.
    virtual std::string ReadClipboardText() = 0;
    virtual void ClearClipboard() = 0;
    virtual void WriteClipboardText(const std::string& text) = 0;

    // Opens a web address with the desktop's default handler; false when that failed.
    virtual bool OpenUrl(const std::string& address) = 0;

    // Runs pending user-interface events. Called after every word and every listed record, so
    // implementations decide how often they really do anything.
    virtual void PumpEvents() = 0;
    // Runs pending user-interface events at once, for a caller that comes seldom (tens of milliseconds
    // apart): a pump paced for calls after every word could let such calls go by.
    virtual void PumpEventsNow() { PumpEvents(); }
    // Redraws a control at once (throttled like the pump). A null control means the whole active window.
    virtual void Repaint(const Control* control) = 0;

    // The folder of the running program, without a trailing "/" (unless it is "/").
    virtual std::string ProgramFolder() = 0;
    // The per-user configuration folder ($XDG_CONFIG_HOME, else $HOME/.config); empty when there is none.
    virtual std::string UserDataFolder() = 0;
    // The folder the program was started in; relative names resolve against it, since the program never
    // changes it.
    virtual std::string CurrentDirectory() = 0;
    // The user's home folder, where a file dialog opens when nothing better is known.
    virtual std::string HomeFolder() = 0;

    // Screen width in twips, for window placement.
    virtual int ScreenWidthTwips() = 0;

    // Ends the program at once. Implementations that cannot end the process (tests) record the request;
    // callers return straight after calling it.
    virtual void EndProgram() = 0;
};

}  // namespace vesk
