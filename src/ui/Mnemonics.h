// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Alt-key mnemonics for the buttons and check boxes of a window, chosen from their captions, so that the
// visible captions stay as they are apart from one underlined character.

#include <QString>
#include <vector>

class QAbstractButton;
class QWidget;

namespace vesk::ui {

struct Mnemonic {
    int index = -1;       // of the underlined character in the caption; -1: the caption has no letter or digit
    bool shared = false;  // every letter and digit of the caption is already another caption's mnemonic
};

// Chooses a character of each caption, as many of them different (ignoring case) as can be: letters first,
// those that begin a word before the others, digits last. A caption whose letters and digits are all taken
// shares one. `kept[i]` (or -1) is a previous choice that stays when it is still in its caption and no
// other kept choice has the same character, so that a caption that changes does not move the others.
std::vector<Mnemonic> ChooseMnemonics(const std::vector<QString>& captions, const std::vector<int>& kept = {});

// A caption as a widget shows it: "&" before the mnemonic, any "&" of its own doubled.
QString WithMnemonic(const QString& caption, int index);
// The caption shown, without its mnemonic marker; `index` receives the mnemonic's place in it (-1: none).
QString WithoutMnemonic(const QString& text, int* index = nullptr);

// Gives every button and check box of `window`, and every caption that names a widget beside it, a mnemonic, keeping
// those it has, and from then on gives a button of the window whose caption changes (through SetCaption) one anew.
void AssignMnemonics(QWidget& window);
// Shows `caption` on `button`, with a mnemonic once its window has been given them.
void SetCaption(QAbstractButton& button, const QString& caption);

}  // namespace vesk::ui
