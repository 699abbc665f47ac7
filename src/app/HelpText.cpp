// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/HelpWindow.h"

namespace vesk {

namespace {

// The paragraphs of the help window, each followed by an empty line.
constexpr const char* kParagraphs[] = {
    nullptr,  // the first paragraph names the manual's address
    "This software scans a file, or text on the clipboard, and counts the number of occurrences of the different "
    "words. The text can be in a language other than English. The words which are found and displayed can be "
    "ordered alphabetically or by frequency.",
    "When applying the program to an input file, the file can have any extension, but it must consist only of "
    "text, "
    "that is, it cannot contain any bytes with ASCII values less than 32 except for 9 (tab), 10 (line-feed) and 13 "
    "(carriage-return). Text written in, e.g., MS-Word, cannot be processed "
    "by reading it directly from a file. In such a case open the document in Word (or whatever is the appropriate "
    "application), select all the text and copy it to the clipboard, then click on 'Count words' with "
    "'clipboard' "
    "selected as the source. The text in the clipboard and can be pasted into the textbox before or after the "
    "words are counted.",
    "There is no limit on the size of an input file, but there is a limit on the amount of text which "
    "can be held in the textbox, either by pasting from the clipboard or as a result of listing words found. This "
    "limit is "
    "normally something beyond 30,000 characters, so (in the case of a large file) only about 1000 to 2000 words "
    "can appear "
    "in the list.",
    "When working with large files containing many different words it is best to define an output file. "
    "Then the results will be written to this file before being displayed in the output window.  Thus the "
    "results will be "
    "available in the file even if an out-of-memory error occurs when the results are being displayed.",
    "Text may be composed in the textbox. To do a word count on this "
    "text you must first copy it to the clipboard.",
    "This program allows you to customize its operation so that just the words are counted "
    "in which you are interested.  Do this by clicking on 'Set parameters'.  Parameters set using this screen are "
    "saved on quitting and restored when the program is next run.",
    "This program may be used with text in languages other than English, including German, French, "
    "Italian, Spanish and Portuguese.  It can also be used with program source code, e.g., C++.",
    "You can tell the program to ignore common words. These words are "
    "contained in a file of your choice. When this file has been specified and 'Ignore common words in file' is "
    "checked the program will ignore any words in the text which it finds in the specified file.",
    "Six files are available for downloading from the website documentation page which contain common words in "
    "English, German, French, Italian, Spanish and Portuguese.  You can add or remove words as you wish, and words "
    "do not have to be in alphabetical order or on separate lines (but the file must consist only of text).",
    "An input file may contain 'comments', that is, anything occurring between the start-comment characters and "
    "the end-comment characters that may be specified in the Set parameters screen. You can use the default "
    "character strings, namely, /* ... */, or define others. This not only allows comments in the text being "
    "scanned but also allows hiding sections of the text within start-comment and end-comment markers (in which "
    "case the program ignores such sections).",
    "If the input file has one of the following extensions: htm, html, shtml, xml and php, then the start-comment "
    "and the end-comment markers are automatically set to < and > respectively. This means that HTML, XML and PHP "
    "tags are ignored. (It also means that /* and */, or other markers, cannot be used as start-comment and "
    "end-comment markers in files with these extensions.)",
    "The output can easily be transferred to Excel, as follows: Copy the output to the clipboard, "
    "paste it into some text editor such as Notepad, and save it as a .txt file. Read this into Excel. Excel will "
    "automatically "
    "detect the columns.",
    "An output file can be written as comma-delimited so that it can be read by other software.",
};

}  // namespace

std::string HelpText(const std::string& address) {
    std::string text;
    for (const char* paragraph : kParagraphs) {
        if (paragraph) {
            text += paragraph;
        } else {
            text += "An illustrated verson of this documentation (and a bit more information) can be found at ";
            text += address;
            text += ".  This window may be resized for easier reading.";
        }
        text += "\r\n\r\n";
    }
    return text;
}

}  // namespace vesk
