#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "engine/Encoding.h"
#include "ui/MainWindowView.h"
#include "ui/QtPlatform.h"
#include "ui/QtText.h"

namespace vesk::test {
namespace {

TEST(QtPlatform, FileFiltersBecomeQtFilters) {
    EXPECT_EQ(ui::ToQtFileFilter("Parameter files (*.vesk) | *.vesk"), Q("Parameter files (*.vesk)"));
    // "*.*" means every file, also those without an extension.
    EXPECT_EQ(ui::ToQtFileFilter("Any file containing only text (*.*) | *.*"), Q("Any file containing only text (*)"));
    EXPECT_EQ(ui::ToQtFileFilter("Text | *.txt;*.text | All | *.*"), Q("Text (*.txt *.text);;All (*)"));
    EXPECT_EQ(ui::ToQtFileFilter(""), QString());
}

TEST(QtPlatform, TextsCrossAsWindows1252WithCrLfInside) {
    EXPECT_EQ(ui::ToQt("caf\xe9 \x80"), Q("caf\u00e9 \u20ac"));
    EXPECT_EQ(ui::ToQtLines("a\r\nb\rc\nd"), Q("a\nb\nc\nd"));
    EXPECT_EQ(ui::FromQt(Q("na\u00efve\nline"), true), "na\xefve\r\nline");
    EXPECT_EQ(ui::FromQt(Q("a\r\nb"), true), "a\r\nb");
    EXPECT_EQ(ui::FromQt(Q("\u4e2d")), std::string(1, kUnmappableByte));
}

TEST(QtPlatform, TwirlerCodesShowHalfBlocks) {
    EXPECT_EQ(ui::TwirlerText("\xdc"), QString(QChar(0x2584)));
    EXPECT_EQ(ui::TwirlerText("\xdd"), QString(QChar(0x258C)));
    EXPECT_EQ(ui::TwirlerText("\xdf"), QString(QChar(0x2580)));
    EXPECT_EQ(ui::TwirlerText("\xde"), QString(QChar(0x2590)));
    EXPECT_EQ(ui::TwirlerText(" "), Q(" "));
}

TEST(QtPlatform, FoldersComeFromTheEnvironment) {
    ui::QtPlatform platform;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/vesk-config");
    EXPECT_EQ(platform.UserDataFolder(), "/tmp/vesk-config");
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/tmp/vesk-home");
    EXPECT_EQ(platform.UserDataFolder(), "/tmp/vesk-home/.config");
    qunsetenv("HOME");
    EXPECT_EQ(platform.UserDataFolder(), "");
    qputenv("XDG_CONFIG_HOME", savedConfig);
    qputenv("HOME", savedHome);
    EXPECT_EQ(platform.ProgramFolder(), ui::FromQt(QCoreApplication::applicationDirPath()));
    EXPECT_FALSE(platform.OpenUrl(""));
    EXPECT_FALSE(platform.EndRequested());
}

}  // namespace
}  // namespace vesk::test
