// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include "settings/ParameterFile.h"

namespace vesk {

bool operator==(const FileDialogRequest& a, const FileDialogRequest& b) {
    return a.title == b.title && a.filter == b.filter && a.flags == b.flags && a.save == b.save &&
           a.fileName == b.fileName;
}

void PrintTo(const FileDialogRequest& r, std::ostream* out) {
    *out << "{\"" << r.title << "\", \"" << r.filter << "\", " << r.flags << (r.save ? ", save" : ", open") << ", \""
         << r.fileName << "\"}";
}

void PrintTo(const ParameterSet& set, std::ostream* out) {
    std::string bytes;
    FormatParameterFile(set, bytes);
    *out << ::testing::PrintToString(bytes);
}

}  // namespace vesk

namespace vesk::test {

void PrintTo(const ShownMessage& m, std::ostream* out) {
    *out << "{\"" << m.text << "\", \"" << m.title << "\", buttons " << static_cast<int>(m.buttons) << ", icon "
         << static_cast<int>(m.icon) << "}";
}

ScriptedPlatform::ScriptedPlatform() { programFolder = VESK_BUILD_DIR; }

ScriptedPlatform::~ScriptedPlatform() {
    EXPECT_TRUE(m_answers.empty()) << m_answers.size() << " message answer(s) were never used";
    EXPECT_TRUE(m_dialogAnswers.empty()) << m_dialogAnswers.size() << " file dialog answer(s) were never used";
}

MsgAnswer ScriptedPlatform::ShowMessage(const std::string& text, const std::string& title, MsgButtons buttons,
                                        MsgIcon icon) {
    m_messages.push_back({text, title, buttons, icon});
    if (m_answers.empty()) {
        if (!m_answerAll) ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPlatform::ShowFileDialog(const FileDialogRequest& request,
                                                            const std::string& folder) {
    m_dialogs.push_back(request);
    m_dialogFolders.push_back(folder);
    if (m_dialogAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog \"" << request.title << "\"";
        return std::nullopt;
    }
    auto answer = m_dialogAnswers.front();
    m_dialogAnswers.pop_front();
    return answer;
}

}  // namespace vesk::test
