// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
#include <map>

#include "ui/Mnemonics.h"

namespace vesk::test {

void ActivateWindow(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

std::vector<QWidget*> FocusChain(QWidget& window) {
    ActivateWindow(window);
    QWidget* first = window.nextInFocusChain();
    while (first != &window &&
           !(first->isVisibleTo(&window) && first->isEnabled() && (first->focusPolicy() & Qt::TabFocus)))
        first = first->nextInFocusChain();
    std::vector<QWidget*> chain;
    if (first == &window) return chain;
    first->setFocus(Qt::TabFocusReason);
    for (QWidget* focus = first; chain.empty() || focus != first; focus = QApplication::focusWidget()) {
        chain.push_back(focus);
        if (chain.size() > 200) break;  // a chain that does not come back
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return chain;
}

void ExpectKeyboardReady(QWidget& window) {
    const std::vector<QWidget*> chain = FocusChain(window);
    ASSERT_FALSE(chain.empty());
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const QWidget* control = chain[i];
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        if (i == 0) continue;
        const QRect before(chain[i - 1]->mapTo(&window, QPoint()), chain[i - 1]->size());
        const QRect here(control->mapTo(&window, QPoint()), control->size());
        const bool below = here.top() > before.center().y();
        const bool rightOf = here.left() >= before.right();
        EXPECT_TRUE(below || rightOf) << chain[i - 1]->objectName().toStdString() << " then "
                                      << control->objectName().toStdString();
    }

    // Mnemonics: one in each caption, which is otherwise the one the control is named by.
    const QList<QAbstractButton*> buttons = window.findChildren<QAbstractButton*>();
    std::map<char16_t, int> owners;
    std::vector<std::pair<QString, char16_t>> captions;
    for (const QAbstractButton* button : buttons) {
        int place = -1;
        const QString caption = ui::WithoutMnemonic(button->text(), &place);
        EXPECT_EQ(caption, button->accessibleName());
        EXPECT_EQ(button->text().count(QLatin1Char('&')) - caption.count(QLatin1Char('&')) * 2, 1)
            << button->text().toStdString();
        if (place < 0) continue;
        const char16_t key = caption[place].toUpper().unicode();
        ++owners[key];
        captions.emplace_back(caption, key);
    }
    for (const auto& [caption, key] : captions) {
        if (owners[key] == 1) continue;
        for (const QChar c : caption) {
            if (!c.isLetterOrNumber()) continue;
            EXPECT_TRUE(owners.contains(c.toUpper().unicode()))
                << caption.toStdString() << " shares a mnemonic while " << QString(c).toStdString() << " is free";
        }
    }
}

}  // namespace vesk::test
