// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Mnemonics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <map>
#include <set>

namespace vesk::ui {

namespace {

constexpr char kSharedProperty[] = "veskSharedMnemonic";
constexpr char kGivenProperty[] = "veskMnemonicsGiven";

char16_t Key(QChar c) { return c.toUpper().unicode(); }

// The places of a caption's letters and digits, best first.
std::vector<int> Candidates(const QString& caption) {
    std::vector<int> starts, letters, digits;
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c.isDigit())
            digits.push_back(i);
        else if (c.isLetter())
            (i == 0 || !caption[i - 1].isLetter() ? starts : letters).push_back(i);
    }
    starts.insert(starts.end(), letters.begin(), letters.end());
    starts.insert(starts.end(), digits.begin(), digits.end());
    return starts;
}

// Matches captions to characters, one character to at most one caption: a caption takes a free character of
// its own when it has one, else one whose owner can move to another (an augmenting path).
class Matcher {
  public:
    Matcher(const std::vector<QString>& captions, std::vector<Mnemonic>& result)
        : m_captions(captions), m_result(result) {
        for (const QString& caption : captions) m_candidates.push_back(Candidates(caption));
        m_movable.assign(captions.size(), true);
    }

    void Pin(std::size_t i, int place) {
        m_owner[Key(m_captions[i][place])] = i;
        m_result[i].index = place;
        m_movable[i] = false;
    }
    bool Owned(QChar c) const { return m_owner.contains(Key(c)); }

    void Match(std::size_t i) {
        std::set<char16_t> seen;
        Augment(i, seen);
    }

  private:
    bool Augment(std::size_t i, std::set<char16_t>& seen) {
        for (const int place : m_candidates[i]) {
            if (Owned(m_captions[i][place])) continue;
            Take(i, place);
            return true;
        }
        for (const int place : m_candidates[i]) {
            const char16_t key = Key(m_captions[i][place]);
            if (!seen.insert(key).second) continue;
            const std::size_t owner = m_owner.at(key);
            if (!m_movable[owner] || !Augment(owner, seen)) continue;
            Take(i, place);
            return true;
        }
        return false;
    }
    void Take(std::size_t i, int place) {
        m_owner[Key(m_captions[i][place])] = i;
        m_result[i].index = place;
    }

    const std::vector<QString>& m_captions;
    std::vector<Mnemonic>& m_result;
    std::vector<std::vector<int>> m_candidates;
    std::vector<bool> m_movable;
    std::map<char16_t, std::size_t> m_owner;
};

}  // namespace

std::vector<Mnemonic> ChooseMnemonics(const std::vector<QString>& captions, const std::vector<int>& kept) {
    std::vector<Mnemonic> result(captions.size());
    Matcher matcher(captions, result);
    std::vector<bool> pinned(captions.size(), false);
    for (std::size_t i = 0; i < captions.size() && i < kept.size(); ++i) {
        const int place = kept[i];
        if (place < 0 || place >= captions[i].size() || !captions[i][place].isLetterOrNumber()) continue;
        if (matcher.Owned(captions[i][place])) continue;
        matcher.Pin(i, place);
        pinned[i] = true;
    }
    for (std::size_t i = 0; i < captions.size(); ++i)
        if (!pinned[i]) matcher.Match(i);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (result[i].index >= 0) continue;
        const std::vector<int> candidates = Candidates(captions[i]);
        if (!candidates.empty()) result[i] = {candidates.front(), true};
    }
    return result;
}

QString WithMnemonic(const QString& caption, int index) {
    QString text;
    for (int i = 0; i < caption.size(); ++i) {
        if (i == index) text += QLatin1Char('&');
        text += caption[i];
        if (caption[i] == QLatin1Char('&')) text += QLatin1Char('&');
    }
    return text;
}

QString WithoutMnemonic(const QString& text, int* index) {
    QString caption;
    int place = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
            if (text[i] != QLatin1Char('&')) place = static_cast<int>(caption.size());
        }
        caption += text[i];
    }
    if (index) *index = place;
    return caption;
}

void AssignMnemonics(QWidget& window) {
    // The buttons, and the captions that name a list or a box beside them.
    std::vector<QWidget*> widgets;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) widgets.push_back(button);
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() != nullptr) widgets.push_back(label);
    const auto textOf = [](const QWidget* widget) {
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        return button != nullptr ? button->text() : static_cast<const QLabel*>(widget)->text();
    };
    std::vector<QString> captions;
    std::vector<int> kept;
    for (const QWidget* widget : widgets) {
        int place = -1;
        captions.push_back(WithoutMnemonic(textOf(widget), &place));
        kept.push_back(widget->property(kSharedProperty).toBool() ? -1 : place);
    }
    const std::vector<Mnemonic> chosen = ChooseMnemonics(captions, kept);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const QString text = WithMnemonic(captions[i], chosen[i].index);
        if (auto* button = qobject_cast<QAbstractButton*>(widgets[i]))
            button->setText(text);
        else
            static_cast<QLabel*>(widgets[i])->setText(text);
        widgets[i]->setProperty(kSharedProperty, chosen[i].shared);
    }
    window.setProperty(kGivenProperty, true);
}

void SetCaption(QAbstractButton& button, const QString& caption) {
    button.setAccessibleName(caption);
    if (WithoutMnemonic(button.text()) == caption) return;
    button.setText(WithMnemonic(caption, -1));
    if (QWidget* window = button.window(); window->property(kGivenProperty).toBool()) AssignMnemonics(*window);
}

}  // namespace vesk::ui
