// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

int main(int argc, char* argv[]) {
    // Headless unless told otherwise, also when the test list is read at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path runtime = std::filesystem::path(VESK_BUILD_DIR) / "test-home" / "runtime";
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && std::filesystem::create_directories(runtime))
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtime.string().c_str());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
