// File associations: the classes-root keys that make the shell open source, header and
// project files with the program, and the same for the Linux desktop.
#pragma once
#include <string>

// Writes the associations on every start; failures are silent. Always true.
bool RegisterFileAssociations();

// The desktop side: a .desktop entry for tovin, a MIME package for project files and the
// associations of the source, header and project types, all under $XDG_DATA_HOME (or
// ~/.local/share), each written only when missing or different. hostExecutable is the
// program to run. False when something could not be written.
bool RegisterDesktopAssociations(const std::string& hostExecutable);
