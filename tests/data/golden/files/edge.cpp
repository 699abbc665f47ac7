/* A block comment
   over several lines: hidden words here */
#include <stdio.h>
// a line comment with hidden words
int main(void) {
    const char* text = "string words /* not a comment */ inside"; /* trailing block */
    int count = 0; // counts words
    /* one */ visible_one /* two */ visible_two
    printf("%d\n", count);  /* unterminated at end of line
    still in comment */ return count;
}
