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
    "When applying the program to an input file, the file can have any extension, or none, but it must consist "
    "only of text, that is, it cannot contain any characters with codes less than 32 except for 9 (tab), 10 "
    "(line-feed) and 13 (carriage-return). A document saved by a word processor in its own format cannot be "
    "processed by reading it directly from a file. In such a case open the document in the application that made "
    "it, select all the text and copy it to the clipboard, then click on 'Count word frequencies' with "
    "'clipboard' selected as the source. Clicking on 'Click here to paste the clipboard text into the textbox' "
    "shows the text of the clipboard in the textbox and selects 'clipboard' as the source.",
    "The input may also be a folder: type its name in the input file box, choose it with 'Folder' beside it, or "
    "drop it on the window.  Every file below the folder is counted, in the order of their names, as if they "
    "were one text (names starting with a dot are left out); each file is read as it would be alone, so its own "
    "extension decides its comment markers.  A file that cannot be read or is not text is skipped, and the "
    "skipped files are named below the list of words.  The line under the input file box then gives the number "
    "of files and their bytes, and the progress bar covers them all.  The parameter files keep the folder as "
    "they keep an input file.",
    "There is no limit on the size of an input file; text taken from the clipboard can hold up to 100,000 "
    "characters. While the words are counted the textbox shows each new word as it is found (up to about 2,000 of "
    "them, and none when 'Don't display words as found' is checked); when counting is finished it holds the "
    "list of words, in the word order and display format selected. The textbox can hold more than 33 million "
    "characters, enough for a list of about a million different words.",
    "When working with large files containing many different words it is best to define an output file. "
    "Then the results will be written to this file before being displayed in the textbox.  Thus the results will "
    "be available in the file even if the textbox cannot hold them all.",
    "Text may be composed in the textbox. To do a word count on this text click on 'Copy to clipboard', which "
    "also selects 'clipboard' as the source, then on 'Count word frequencies'.",
    "This program allows you to customize its operation so that just the words are counted "
    "in which you are interested.  Do this by clicking on 'Set parameters'.  Parameters set using this screen are "
    "saved on quitting, when 'Save state when quitting' is checked, and restored when the program is next run.",
    "This program may be used with text in languages other than English, in any script: the letters and marks "
    "of every alphabet and syllabary (Latin with all its accents, Greek, Cyrillic, Armenian, Georgian, Hebrew, "
    "Arabic, Devanagari and the other scripts of India, Korean Hangul ...) form words, and upper and lower case "
    "and accents are folded as Unicode says.  Chinese, Japanese, Thai, Lao, Khmer and Myanmar are written "
    "without spaces between words: there the words are found with the dictionaries of the ICU library (its "
    "dictionary-based word breaking), so that, for example, a Chinese sentence is split into its words rather "
    "than counted as one long word.  The program can also be used with program source code, e.g., C++.",
    "Input files and common-words files may be in UTF-8, UTF-16 or a legacy code page.  With 'Input encoding' "
    "at Automatic a file is read as UTF-8 when it starts with a UTF-8 byte-order mark or its first "
    "non-ASCII characters are valid UTF-8, as UTF-16 when it starts with a UTF-16 byte-order mark, and as "
    "Windows-1252 (Western European) otherwise.  A file in another encoding, such as Windows-1250 or ISO-8859-2 "
    "(Central European), Windows-1251 or KOI8-R (Cyrillic), or UTF-16 without a byte-order mark, is read "
    "correctly once that encoding is chosen in 'Input encoding', beside the file size; the choice applies to "
    "the input file and to the common-words file, and is kept for the next run.  Text taken from the clipboard "
    "needs no encoding.",
    "You can tell the program to ignore common words. These words are "
    "contained in a file of your choice. When this file has been specified and 'Ignore common words in file' is "
    "checked the program will ignore any words in the text which it finds in the specified file.",
    "Six files which contain common words in English, German, French, Italian, Spanish and Portuguese come with "
    "the program: cwds_en.txt, cwds_de.txt, cwds_fr.txt, cwds_it.txt, cwds_es.txt and cwds_pt.txt, in the "
    "program's own folder. Choose one with 'Select common words file'.  You can add or remove words as you wish "
    "(in a copy, if the program's folder is not yours to write to), and words do not have to be in alphabetical "
    "order or on separate lines (but the file must consist only of text).",
    "An input file may contain \"comments\", that is, anything occurring between the start-comment characters and "
    "the end-comment characters that may be specified in the Set parameters screen. You can use the default "
    "character strings, namely, /* ... */, or define others. This not only allows comments in the text being "
    "scanned but also allows hiding sections of the text within start-comment and end-comment markers (in which "
    "case the program ignores such sections).",
    "If the input file has one of the following extensions: htm, html, shtml, xml and php, then the start-comment "
    "and the end-comment markers are automatically set to < and > respectively. This means that HTML, XML and PHP "
    "tags are ignored. (It also means that /* and */, or other markers, cannot be used as start-comment and "
    "end-comment markers in files with these extensions.)",
    "The output can easily be transferred to a spreadsheet, as follows: Name an output file, count the words, "
    "and open the output file in the spreadsheet, which will detect the columns; with 'Include commas in output "
    "file' checked they are separated by commas.",
    "After a count, 'Table and chart' opens a window beside this one with the words of the list: a table that "
    "sorts by any column and finds the words holding what is typed above it, a chart of the most frequent words "
    "or of rank against frequency (Zipf's law), and an export of the table as CSV, TSV or JSON.  It follows the "
    "list shown here, and changes nothing in this window.",
    "An output file can be written as comma-delimited so that it can be read by other software.",
};

}  // namespace

std::string HelpText(const std::string& address) {
    std::string text;
    for (const char* paragraph : kParagraphs) {
        if (paragraph) {
            text += paragraph;
        } else {
            text += "An illustrated version of this documentation (and a bit more information) can be found at ";
            text += address;
            text += ".  This window may be resized for easier reading.";
        }
        text += "\r\n\r\n";
    }
    return text;
}

}  // namespace vesk
