// greeting.h: how the sample program greets.
#ifndef GREETING_H
#define GREETING_H

/* Prints one greeting line for name; returns the number of characters written. */
int PrintGreeting(const char* name, int number);

#endif
