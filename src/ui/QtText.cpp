// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtText.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace vesk::ui {

QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString ToQtLines(std::string_view text) {
    QString s = ToQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString ToQtLineGroups(std::string_view text, int& lines) {
    QString s = ToQtLines(text);
    for (QChar& c : s) {
        if (c != QLatin1Char('\n')) continue;
        if (++lines < kLinesPerParagraph) {
            c = QChar::LineSeparator;
        } else {
            lines = 0;
        }
    }
    return s;
}

std::string FromQt(const QString& text, bool crlf) {
    const QByteArray utf8 = text.toUtf8();
    std::string bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (!crlf) return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out.push_back('\r');
        out.push_back(bytes[i]);
    }
    return out;
}

int ToQtPosition(std::string_view text, std::size_t position, bool crlf) {
    int units = 0;
    for (std::size_t i = 0; i < std::min(position, text.size()); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) == 0x80) continue;  // inside a character
        if (crlf && b == '\n' && i > 0 && text[i - 1] == '\r') continue;
        units += b >= 0xF0 ? 2 : 1;  // beyond the BMP, a surrogate pair
    }
    return units;
}

QString TwirlerText(const std::string& caption) {
    QString text = ToQt(caption);
    if (text.size() == 1) {
        switch (text[0].unicode()) {
            case 220:
                return QString(QChar(0x2584));
            case 221:
                return QString(QChar(0x258C));
            case 223:
                return QString(QChar(0x2580));
            case 222:
                return QString(QChar(0x2590));
            default:
                break;
        }
    }
    return text;
}

namespace {
double LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}
}  // namespace

int TwipsToPixels(int twips) { return static_cast<int>(std::lround(twips * LogicalDpi() / 1440.0)); }
int PixelsToTwips(int pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / LogicalDpi())); }

}  // namespace vesk::ui
