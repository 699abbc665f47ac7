// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/FileMessages.h"
#include "app/FolderFiles.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "engine/CharClasses.h"
#include "engine/Encoding.h"
#include "engine/FileChecks.h"
#include "listing/NumberFormat.h"
#include "listing/RunError.h"
#include "params/ParamsWindow.h"

namespace vesk {

namespace {

const char* const kCrLf = "\r\n";
constexpr int kKeyF1 = 112;

// "Filesize:   234,221 bytes    228.73 KB"; the quotients are single precision.
std::string FileSizeLine(std::int64_t length) {
    std::string line = "Filesize:   " + FormatGrouped(length) + " bytes";
    if (length > 9999) {
        const float kilobytes = static_cast<float>(length) / 1024.0f;
        line += "    " + FormatGroupedDecimal(static_cast<double>(kilobytes), 2) + " KB";
        if (kilobytes > 9999.0f) {
            const float megabytes = static_cast<float>(length) / 1048576.0f;
            line += "    " + FormatGroupedDecimal(static_cast<double>(megabytes), 2) + " MB";
        }
    }
    return line;
}

// Whether a name can name a file at all: a name ending in "/" can only be a folder's.
bool CanNameAFile(const std::string& name) { return !name.empty() && name.back() != '/'; }

}  // namespace

FolderFiles ListFolderFiles(const std::string& folder) {
    FolderFiles result;
    result.files = ListCorpus({folder}, CorpusFilter{});
    for (const CorpusFile& file : result.files) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(SystemPath(file.path), ec);
        result.sizes.push_back(ec ? 0 : static_cast<std::int64_t>(size));
        result.totalBytes += result.sizes.back();
    }
    return result;
}

bool IsInputFolder(const std::string& name) {
    std::error_code ec;
    return !name.empty() && std::filesystem::is_directory(SystemPath(name), ec);
}

std::string FolderSizeLine(const FolderFiles& folder) {
    const auto count = static_cast<std::int64_t>(folder.files.size());
    return "Folder: " + FormatGrouped(count) + (count == 1 ? " file, " : " files, ") +
           FormatGrouped(folder.totalBytes) + " bytes";
}

std::string MainWindow::ExistingFolderOf(const std::string& path) const {
    std::string folder = FolderOfPath(path);
    if (folder.empty()) folder = platform.CurrentDirectory();  // a bare name is in the starting folder
    return FolderExists(folder) ? folder : std::string();
}

std::string MainWindow::DialogFolder(const std::string& named) const {
    if (std::string folder = named.empty() ? std::string() : ExistingFolderOf(named); !folder.empty()) return folder;
    if (!LastDialogFolder.empty() && FolderExists(LastDialogFolder)) return LastDialogFolder;
    return platform.HomeFolder();
}

void MainWindow::RememberDialogFolder(const std::string& path) {
    if (std::string folder = ExistingFolderOf(path); !folder.empty()) LastDialogFolder = std::move(folder);
}

void MainWindow::cmdFile_Click(int index) {
    if (index == 0) blnWordsGot = false;
    FileDialogRequest request;
    if (index == 0) {
        request.title = "Specify input file";
        request.filter = "Any file containing only text (*.*) | *.*";
        request.flags = FileDialogFlags::kFileMustExist | FileDialogFlags::kPathMustExist;
    } else {
        request.title = "Specify output file";
        request.flags = FileDialogFlags::kHideReadOnly;
    }
    request.save = false;
    request.fileName.clear();
    const std::optional<std::string> chosen = platform.ShowFileDialog(request, DialogFolder(txbFile[index].Text()));
    if (chosen && !chosen->empty()) {
        RememberDialogFolder(*chosen);
        txbFile[index].SetText(*chosen);
        if (index == 0) {
            CheckInputFile(*chosen);
            cmdClearOutput_Click();
        }
    }
    if (index == 0)
        optInFile.Select();
    else
        UpdateDisableOutputOption();
}

void MainWindow::cmdFolder_Click() {
    blnWordsGot = false;
    const std::string named = txbFile[0].Text();
    // A folder in the box opens the dialog on itself; a file, on the folder it lies in.
    const std::string start = IsInputFolder(named) ? named : DialogFolder(named);
    const std::optional<std::string> chosen = platform.ShowFolderDialog("Specify input folder", start);
    if (chosen && !chosen->empty()) {
        LastDialogFolder = *chosen;
        txbFile[0].SetText(*chosen);
        CheckInputFile(*chosen);
        cmdClearOutput_Click();
    }
    optInFile.Select();
}

void MainWindow::FileDropped(const std::string& path) {
    if (!txbFile[0].Enabled() || path.empty()) return;
    blnWordsGot = false;
    RememberDialogFolder(path);
    txbFile[0].SetText(path);
    CheckInputFile(path);
    cmdClearOutput_Click();
    optInFile.Select();
}

void MainWindow::cmdClearFile_Click(int index) {
    txbFile[index].SetText("");
    SetFocus(cmdFile[index]);
    if (index == 0) {
        lblFilesize.SetCaption("");
    } else {
        chkDisableOutputToFile.SetValue(0);
        chkDisableOutputToFile.SetEnabled(false);
    }
}

void MainWindow::txbFile_LostFocus(int index) {
    txbFile[index].SetText(TrimSpaces(txbFile[index].Text()));
    if (index == 0) {
        if (!txbFile[0].Text().empty()) CheckInputFile(txbFile[0].Text());
        blnWordsGot = false;
    }
    UpdateDisableOutputOption();
    SetTheFocus();
}

bool MainWindow::CheckInputFile(const std::string& name) {
    if (IsInputFolder(name)) {
        lblFilesize.SetCaption(FolderSizeLine(ListFolderFiles(name)));
        LastDialogFolder = name;
        return true;
    }
    bool ok = false;
    const int problem = CanNameAFile(name) ? RegularFileError(name) : 0;
    if (!CanNameAFile(name) || problem == EISDIR) {
        if (blnStartUpCompleted) {
            platform.ShowMessage("Invalid input file specification.", "Invalid input", MsgButtons::Ok,
                                 MsgIcon::Exclamation);
        } else {
            txbFile[0].SetText("");
        }
    } else if (problem != 0) {
        if (blnStartUpCompleted) {
            ReportFileProblem(platform, problem, "Input file does not exist.", FileLine("Input file", name));
        } else {
            RememberDialogFolder(name);
            txbFile[0].SetText("");
        }
    } else {
        std::error_code ec;
        const auto size = std::filesystem::file_size(SystemPath(name), ec);
        lblFilesize.SetCaption(FileSizeLine(ec ? 0 : static_cast<std::int64_t>(size)));
        // The next file dialog opens where this file is.
        RememberDialogFolder(name);
        ok = true;
    }
    if (!ok) lblFilesize.SetCaption("");
    return ok;
}

bool MainWindow::FetchClipboardText(bool showInBox) {
    txbOutput.SetText("");
    // The figures of the last count must not stand beside a box that no longer holds its list.
    ConcealNumWords();
    std::string text;
    try {
        text = platform.ReadClipboardText();
    } catch (const RunError& e) {
        platform.ShowMessage(e.Description(), e.Description(), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (text.empty()) {
        lblSizeOfClipboardContents.SetCaption("");
        platform.ShowMessage("Clipboard is empty.", "Clipboard empty", MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    const auto length = static_cast<std::int64_t>(Utf8Length(text));
    ShowClipboardSize(length);
    if (length > MaxClipboardChars) {
        platform.ShowMessage("There are " + FormatGrouped(length) + " characters in the text on the clipboard." +
                                 kCrLf + "The maximum permitted is " + FormatGrouped(MaxClipboardChars) +
                                 ".  If possible," + kCrLf +
                                 "count word frequencies for this text using an input file.",
                             "Too much clipboard text", MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    ClipboardText = text;
    if (showInBox) {
        try {
            txbOutput.SetText(text);
            ResultsShown = false;
        } catch (const RunError& e) {
            if (e.Number() != kErrorBoxFull) throw;
            platform.ShowMessage(std::string("There is too much text on the clipboard to paste into the textbox.") +
                                     kCrLf + "It may, however, still be possible to count word frequencies.",
                                 e.Description(), MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
    ConcealNumWords();
    blnWordsGot = false;
    ResultsShown = false;
    SetTheFocus();
    return true;
}

void MainWindow::ShowClipboardSize(std::int64_t length) {
    lblSizeOfClipboardContents.SetCaption("Contents of clipboard:   " + FormatGrouped(length) + " bytes");
}

void MainWindow::cmdClearOutput_Click() {
    txbOutput.SetText("");
    ConcealNumWords();
    blnWordsGot = false;
    if (blnStartUpCompleted) SetTheFocus();
}

void MainWindow::DropProgressNotice() {
    const std::string& text = txbOutput.Text();
    for (const std::string_view notice : {std::string_view(ProcessingNotice), std::string_view(kCheckingFileNotice),
                                          std::string_view(kWritingFileNotice)}) {
        if (text == notice) {
            txbOutput.SetText("");
            return;
        }
        // "Processing ..." follows an empty line when the box held text already.
        const std::string appended = std::string(kCrLf) + kCrLf + std::string(notice);
        if (text.ends_with(appended)) {
            txbOutput.SetText(text.substr(0, text.size() - appended.size()));
            return;
        }
    }
}

void MainWindow::cmdCopyOutput_Click() {
    const std::string text = txbOutput.Text();
    platform.ClearClipboard();
    platform.WriteClipboardText(text);
    if (!text.empty()) {
        ShowClipboardSize(static_cast<std::int64_t>(Utf8Length(text)));
        optInTextBox.Select();
    }
}

void MainWindow::cmdSetParameters_Click() { frmParams->Show(); }

void MainWindow::EnableControls(bool enabled) {
    for (int i = 0; i < 2; ++i) {
        cmdFile[i].SetEnabled(enabled);
        txbFile[i].SetEnabled(enabled);
        cmdClearFile[i].SetEnabled(enabled);
    }
    cmdFolder.SetEnabled(enabled);
    chkDisableOutputToFile.SetEnabled(enabled);
    cboInputEncoding.SetEnabled(enabled);
    cmdCopyOutput.SetEnabled(enabled);
    cmdHelp.SetEnabled(enabled);
    cmdSaveState.SetEnabled(enabled);
    cmdSetParameters.SetEnabled(enabled);
    cmdClearOutput.SetEnabled(enabled);
}

void MainWindow::cmdHelp_Click() {
    if (frmHelp->Loaded() && frmHelp->Minimized()) {
        frmHelp->SetMinimized(false);
        return;
    }
    if (!frmHelp->Loaded()) frmHelp->Form_Load();
    frmHelp->Show();
}

void MainWindow::cmdHelp_KeyUp(int keyCode) {
    if (keyCode == kKeyF1) cmdHelp_Click();
}

void MainWindow::cmdFile_KeyUp(int, int keyCode) {
    if (keyCode == kKeyF1) cmdHelp_Click();
}

void MainWindow::cmdListWords_KeyUp(int keyCode) {
    if (keyCode == kKeyF1) cmdHelp_Click();
}

void MainWindow::lblKestrineSystems_Click() { LaunchBrowser(GetProgramText(14)); }

void MainWindow::lblOnlineDocumentation_Click() { LaunchBrowser(GetProgramText(15)); }

void MainWindow::LaunchBrowser(const std::string& target) {
    // An empty address cannot be opened; asking the desktop for it would only fail later or silently.
    if (!target.empty() && platform.OpenUrl(target)) return;
    platform.ShowMessage(std::string("Error launching web browser.") + kCrLf + kCrLf +
                             "Please make sure that your web browser is correctly installed," + kCrLf +
                             "that '.htm' files are associated with it, and that there is" + kCrLf +
                             "sufficient memory available." +
                             // The address can be copied from the box and opened by hand.
                             (target.empty() ? std::string() : std::string(kCrLf) + kCrLf + "Address: " + target),
                         "Cannot launch web browser", MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace vesk
