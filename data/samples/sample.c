/* tally.c: counts how often each letter occurs in standard input.
   A small example program; the comments are skipped when this file is counted. */

#include <ctype.h>
#include <stdio.h>

#define LETTERS 26

/* Prints one line per letter that occurred at least once. */
static void print_tally(const long counts[LETTERS])
{
    for (int letter = 0; letter < LETTERS; ++letter) {
        if (counts[letter] > 0)  // letters never seen are left out
            printf("%c %ld\n", 'a' + letter, counts[letter]);
    }
}

int main(void)
{
    long counts[LETTERS] = {0};
    int c;
    while ((c = getchar()) != EOF) {
        if (isalpha(c))
            counts[tolower(c) - 'a']++;  /* upper and lower case count together */
    }
    print_tally(counts);
    return 0;
}
