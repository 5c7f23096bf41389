// hello.cpp: a small program to show the editor's colouring.
#include <stdio.h>

/* Greets the user the given number of times. */
static int Greet(const char* name, int times)
{
	for (int i = 0; i < times; i++)
	{
		printf("Hello, %s! (%d)\n", name, i + 1);
	}
	return times;
}

int main(int argc, char* argv[])
{
	const char* name = argc > 1 ? argv[1] : "world";
	int count = Greet(name, 3);
#ifdef _DEBUG
	printf("greeted %d times\n", count);
#endif
	return 0x0;
}
