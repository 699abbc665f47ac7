// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/NamedEntities.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vesk {

namespace {

struct Entity {
    const char* name;
    unsigned char letter;
};

constexpr Entity kEntities[] = {
    {"Agrave", 0xC0}, {"Aacute", 0xC1}, {"Acirc", 0xC2},  {"Atilde", 0xC3}, {"Auml", 0xC4},   {"Aring", 0xC5},
    {"AElig", 0xC6},  {"Ccedil", 0xC7}, {"Egrave", 0xC8}, {"Eacute", 0xC9}, {"Ecirc", 0xCA},  {"Euml", 0xCB},
    {"Igrave", 0xCC}, {"Iacute", 0xCD}, {"Icirc", 0xCE},  {"Iuml", 0xCF},   {"ETH", 0xD0},    {"Ntilde", 0xD1},
    {"Ograve", 0xD2}, {"Oacute", 0xD3}, {"Ocirc", 0xD4},  {"Otilde", 0xD5}, {"Ouml", 0xD6},   {"Oslash", 0xD8},
    {"Ugrave", 0xD9}, {"Uacute", 0xDA}, {"Ucirc", 0xDB},  {"Uuml", 0xDC},   {"Yacute", 0xDD}, {"THORN", 0xDE},
    {"szlig", 0xDF},  {"agrave", 0xE0}, {"aacute", 0xE1}, {"acirc", 0xE2},  {"atilde", 0xE3}, {"auml", 0xE4},
    {"aring", 0xE5},  {"aelig", 0xE6},  {"ccedil", 0xE7}, {"egrave", 0xE8}, {"eacute", 0xE9}, {"ecirc", 0xEA},
    {"euml", 0xEB},   {"igrave", 0xEC}, {"iacute", 0xED}, {"icirc", 0xEE},  {"iuml", 0xEF},   {"eth", 0xF0},
    {"ntilde", 0xF1}, {"ograve", 0xF2}, {"oacute", 0xF3}, {"ocirc", 0xF4},  {"otilde", 0xF5}, {"ouml", 0xF6},
    {"oslash", 0xF8}, {"ugrave", 0xF9}, {"uacute", 0xFA}, {"ucirc", 0xFB},  {"uuml", 0xFC},   {"yacute", 0xFD},
    {"thorn", 0xFE},  {"yuml", 0xFF},
};
static_assert(std::size(kEntities) == 62);

constexpr std::size_t kLongestReference = 8;  // "&Aacute;"

}  // namespace

int NamedEntityLetter(std::string_view reference) {
    if (reference.size() < 5 || reference.size() > kLongestReference || reference.front() != '&' ||
        reference.back() != ';')
        return -1;
    const std::string_view name = reference.substr(1, reference.size() - 2);
    for (const Entity& entity : kEntities)
        if (name == entity.name) return entity.letter;
    return -1;
}

bool ReplaceNamedEntities(std::string& line) {
    std::size_t from = 0;
    bool replaced = false;
    for (;;) {
        const std::size_t amp = line.find('&', from);
        if (amp == std::string::npos) return replaced;
        const std::size_t semicolon = line.find(';', amp);
        if (semicolon == std::string::npos) return replaced;
        const int letter = NamedEntityLetter(std::string_view(line).substr(amp, semicolon - amp + 1));
        if (letter >= 0) {
            // Every letter named is below U+0100: two bytes of UTF-8.
            const char utf8[2] = {static_cast<char>(0xC0 | (letter >> 6)), static_cast<char>(0x80 | (letter & 0x3F))};
            line.replace(amp, semicolon - amp + 1, utf8, 2);
            from = amp + 2;
            replaced = true;
        } else {
            from = semicolon + 1;
        }
    }
}

}  // namespace vesk
