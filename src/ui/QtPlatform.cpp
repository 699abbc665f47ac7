// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPlatform.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QThread>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "ui/Binder.h"
#include "ui/QtText.h"

namespace vesk::ui {

void PumpQtEvents(Binder* binder) {
    // A listing makes text faster than the output box can lay it out: show it in pieces, with the events
    // run between them, until little is left waiting.
    constexpr std::size_t kLagChars = 64 * 1024;
    for (;;) {
        const bool all = !binder || binder->FlushSome(Binder::kFlushPieceChars);
        QCoreApplication::processEvents();
        if (all || binder->PendingChars() < kLagChars) break;
    }
}

void RepaintQtControl(Binder* binder, const Control* control) {
    if (binder) binder->ApplyDeferredLabels();
    QWidget* widget = control && binder ? binder->WidgetFor(control) : QApplication::activeWindow();
    // A hidden widget may have another standing in for it (the output box's long-line view).
    if (widget && !widget->isVisible() && widget->focusProxy()) widget = widget->focusProxy();
    if (widget && widget->isVisible()) widget->repaint();
}

QString ToQtFileFilter(const std::string& filter) {
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].trimmed().split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        }
        // Qt takes the patterns from the last parentheses, so a description that names them drops them.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')'))) description = description.left(open).trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString DefaultSuffixOf(const std::string& filter) {
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    if (parts.size() != 2) return {};
    const QString pattern = parts[1].trimmed();
    if (!pattern.startsWith(QStringLiteral("*.")) || pattern.contains(QLatin1Char(';'))) return {};
    const QString suffix = pattern.mid(2);
    return suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

MsgAnswer QtPlatform::ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons, MsgIcon icon) {
    if (m_binder) m_binder->Flush();
    QMessageBox box(QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    // Names and addresses in a message can be copied from it.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.setText(ToQtLines(text));
    box.setWindowTitle(ToQt(title));
    switch (icon) {
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    const int result = box.exec();
    m_pumpThrottle.Reset();
    switch (result) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Cancel:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
    }
}

std::optional<std::string> QtPlatform::ShowFileDialog(const FileDialogRequest& request, const std::string& folder) {
    if (m_binder) m_binder->Flush();
    QFileDialog dialog(QApplication::activeWindow(), ToQt(request.title),
                       folder.empty() ? QDir::homePath() : ToQt(folder));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode((request.flags & FileDialogFlags::kFileMustExist) ? QFileDialog::ExistingFile
                                                                         : QFileDialog::AnyFile);
    if (request.save && !(request.flags & FileDialogFlags::kOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!(request.flags & FileDialogFlags::kHideReadOnly) && (request.flags & FileDialogFlags::kReadOnly))
        dialog.setOption(QFileDialog::ReadOnly, true);
    const QString filter = ToQtFileFilter(request.filter);
    if (!filter.isEmpty()) dialog.setNameFilter(filter);
    // A name typed without an extension gets the chosen filter's, before the dialog asks about overwriting, so
    // that the question is about the file that will be written.
    if (request.save) {
        QStringList suffixes;
        const QStringList parts = ToQt(request.filter).split(QLatin1Char('|'));
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
            suffixes << DefaultSuffixOf(FromQt(parts[i] + QLatin1Char('|') + parts[i + 1]));
        auto follow = [&dialog, filters = filter.split(QStringLiteral(";;")), suffixes](const QString& chosen) {
            const qsizetype i = filters.indexOf(chosen);
            dialog.setDefaultSuffix(i >= 0 && i < suffixes.size() ? suffixes[i] : QString());
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    if (!request.fileName.empty()) dialog.selectFile(ToQt(request.fileName));
    const int result = dialog.exec();
    m_pumpThrottle.Reset();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQt(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

std::optional<std::string> QtPlatform::ShowFolderDialog(const std::string& title, const std::string& folder) {
    if (m_binder) m_binder->Flush();
    const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), ToQt(title),
                                                             folder.empty() ? QDir::homePath() : ToQt(folder));
    m_pumpThrottle.Reset();
    if (chosen.isEmpty()) return std::nullopt;
    return FromQt(QDir::toNativeSeparators(chosen));
}

std::string QtPlatform::ReadClipboardText() {
    // Line ends inside the program are CR LF.
    return FromQt(QGuiApplication::clipboard()->text(), true);
}

void QtPlatform::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtPlatform::WriteClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(ToQtLines(text)); }

bool QtPlatform::OpenUrl(const std::string& address) {
    const QString target = ToQt(address).trimmed();
    if (target.isEmpty()) return false;
    const QUrl url = QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void QtPlatform::PumpEvents() {
    if (!m_pumpThrottle.Due()) return;
    PumpQtEvents(m_binder);
}

void QtPlatform::PumpEventsNow() {
    m_pumpThrottle.Reset();
    PumpQtEvents(m_binder);
}

void QtPlatform::Repaint(const Control* control) {
    if (!m_repaintThrottle.Due()) return;
    RepaintQtControl(m_binder, control);
}

std::string QtPlatform::ProgramFolder() { return FromQt(QCoreApplication::applicationDirPath()); }

std::string QtPlatform::UserDataFolder() {
    // The bytes of the name as the system has them, so that a home folder named in any script (or in bytes
    // that are no UTF-8) holds the state file.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return config;
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config";
    return {};
}

std::string QtPlatform::CurrentDirectory() { return FromQt(QDir::currentPath()); }

std::string QtPlatform::HomeFolder() { return FromQt(QDir::homePath()); }

int QtPlatform::ScreenWidthTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->geometry().width()) : 0;
}

void QtPlatform::EndProgram() {
    m_endRequested = true;
    // Before the event loop runs, main() sees the request and returns; afterwards the process ends here,
    // without asking any window again. The program keeps no file open between its operations.
    if (QCoreApplication::instance() && QAbstractEventDispatcher::instance() &&
        QThread::currentThread()->loopLevel() > 0) {
        if (m_onEnd) m_onEnd();
        std::fflush(nullptr);
        std::_Exit(0);
    }
}

}  // namespace vesk::ui
