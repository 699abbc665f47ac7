// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <filesystem>
#include <set>

#include "UiTestSupport.h"
#include "app/HelpWindow.h"
#include "engine/Encoding.h"
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
            const auto labels = box.findChildren<QLabel*>();
            EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
                return label->text().contains(Q("https://example.org/")) &&
                       label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
            }));
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
        for (const QLabel* label : window->findChildren<QLabel*>())
            captions << QString(label->text()).remove(QLatin1Char('&'));
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

    std::set<std::string> bundled, named;
    for (const auto& entry : std::filesystem::directory_iterator(VESK_DATA_DIR))
        if (entry.path().filename().string().starts_with("cwds_")) bundled.insert(entry.path().filename().string());
    for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("cwds_\\w+\\.txt")).globalMatch(help))
        named.insert(match.captured(0).toStdString());
    EXPECT_EQ(named, bundled);
}

TEST(QtPlatform, FileFiltersBecomeQtFilters) {
    EXPECT_EQ(ui::ToQtFileFilter("Parameter files (*.vesk) | *.vesk"), Q("Parameter files (*.vesk)"));
    // "*.*" means every file, also those without an extension.
    EXPECT_EQ(ui::ToQtFileFilter("Any file containing only text (*.*) | *.*"), Q("Any file containing only text (*)"));
    EXPECT_EQ(ui::ToQtFileFilter("Text | *.txt;*.text | All | *.*"), Q("Text (*.txt *.text);;All (*)"));
    EXPECT_EQ(ui::ToQtFileFilter(""), QString());
}

TEST(QtPlatform, TextsCrossAsUtf8WithCrLfInside) {
    EXPECT_EQ(ui::ToQt("Łódź € 😀"), Q("\u0141\u00f3d\u017a \u20ac \U0001F600"));
    EXPECT_EQ(ui::ToQtLines("a\r\nb\rc\nd"), Q("a\nb\nc\nd"));
    EXPECT_EQ(ui::FromQt(Q("\u03bd\u03b1\u00efve\nline"), true), "\xCE\xBD\xCE\xB1\xC3\xAFve\r\nline");
    EXPECT_EQ(ui::FromQt(Q("a\r\nb"), true), "a\r\nb");
    // Twirler characters are half blocks: lower, left, upper, right.
    EXPECT_EQ(ui::TwirlerText("Ü") + ui::TwirlerText("Ý") + ui::TwirlerText("ß") + ui::TwirlerText("Þ"),
              Q("\u2584\u258c\u2580\u2590"));
    EXPECT_EQ(ui::TwirlerText(" "), Q(" "));
}

}  // namespace
}  // namespace vesk::test
