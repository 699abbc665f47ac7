// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop services as a user meets them: a message's text can be copied, a file dialog opens where it is
// told and completes a typed name with the filter's extension, and the help names what the windows show.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <filesystem>

#include "UiTestSupport.h"
#include "app/HelpWindow.h"
#include "ui/QtPlatform.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

// Runs `inspect` on the modal window that `show` opens, then closes that window.
template <class Window>
void WhileShown(const std::function<void()>& show, const std::function<void(Window&)>& inspect) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            seen = true;
            inspect(*window);
            window->reject();
        }
    });
    show();
    EXPECT_TRUE(seen);
}

TEST(DesktopPlatformUi, MessagesCanBeCopiedAndDialogsOpenWhereTold) {
    ui::QtPlatform platform;
    WhileShown<QMessageBox>(
        [&] { platform.ShowMessage("Address: https://example.org/", "Title", MsgButtons::Ok, MsgIcon::None); },
        [](QMessageBox& box) {
            bool selectable = false;
            for (const QLabel* label : box.findChildren<QLabel*>())
                if (label->text().contains(Q("https://example.org/")))
                    selectable = label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
            EXPECT_TRUE(selectable);
        });

    const ScratchFolder scratch;
    for (const auto& [filter, save, suffix] : {std::tuple{"Parameter files (*.vesk) | *.vesk", true, "vesk"},
                                               {"Parameter files (*.vesk) | *.vesk", false, ""},
                                               {"Any file containing only text (*.*) | *.*", true, ""},
                                               {"", true, ""}}) {
        WhileShown<QFileDialog>(
            [&] {
                platform.ShowFileDialog(FileDialogRequest{"Pick", filter, 0, save, ""}, scratch.Path().string());
            },
            [&](QFileDialog& dialog) {
                EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(scratch.Path().string()));
                EXPECT_EQ(dialog.defaultSuffix(), Q(suffix)) << filter;
            });
    }
}

// Every caption the help quotes is on a control of the windows, and it names exactly the common-words files
// that come with the program.
TEST(DesktopPlatformUi, HelpQuotesRealCaptionsAndTheBundledFiles) {
    const ScratchFolder scratch;
    UiProgram p(scratch);
    QStringList captions;
    for (QWidget* window : std::initializer_list<QWidget*>{&p.views.main, &p.views.params, &p.views.help}) {
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            captions << QString(button->text()).remove(QLatin1Char('&'));
        for (const QLabel* label : window->findChildren<QLabel*>()) captions << label->text();
    }
    const QString help = ui::ToQt(HelpText(""));
    // A quotation opens after a blank or a bracket and closes before one or before punctuation.
    const QRegularExpression quoted(QStringLiteral("(?:^|[\\s(])'(.+?)'(?=[\\s,.;:)]|$)"));
    int quotes = 0;
    for (const QRegularExpressionMatch& match : quoted.globalMatch(help)) {
        ++quotes;
        const QString quote = match.captured(1);
        EXPECT_TRUE(std::any_of(captions.begin(), captions.end(), [&](const QString& c) { return c.contains(quote); }))
            << quote.toStdString();
    }
    EXPECT_GT(quotes, 5);

    QStringList bundled, named;
    for (const auto& entry : std::filesystem::directory_iterator(VESK_DATA_DIR))
        if (const std::string name = entry.path().filename().string(); name.starts_with("cwds_"))
            bundled << Q(name.c_str());
    for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("cwds_\\w+\\.txt")).globalMatch(help))
        named << match.captured(0);
    bundled.sort();
    named.sort();
    EXPECT_EQ(named, bundled);
}

}  // namespace
}  // namespace vesk::test
