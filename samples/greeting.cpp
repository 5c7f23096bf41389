// greeting.cpp: the greeting itself, kept apart so that the sample project has files to open.
#include <stdio.h>

#include "greeting.h"

int PrintGreeting(const char* name, int number)
{
	return printf("Hello, %s! (%d)\n", name, number);
}
