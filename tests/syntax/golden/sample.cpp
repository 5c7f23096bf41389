// sample.cpp: a little of everything the C-family colours know.
#include <stdio.h>
  #define SQUARE(x) ((x) * (x)) /* macro */
#define LONG_MACRO(a, b) \
    ((a) + (b))

/* A block comment
   over three lines */
static const char* kGreeting = "Hello, \"world\"\n";
static const char kQuote = '\'';

int main(int argc, char** argv)
{
    unsigned long mask = 0xFF00 | 0X00FF;  // only the first is hex
    double ratio = 1.5e3 / 12ab;
    if (argc > 1 && argv[1][0] == '#') return -1; # not a directive
    const char* path = "C:\\temp\\";
    printf("%s %d\n", kGreeting, SQUARE(argc)); /* note */ return 0;
    char* s = "continued \
still the string";
    bool done = true; //   trailing comment \
    and its continuation
    return __int64(0);
}
