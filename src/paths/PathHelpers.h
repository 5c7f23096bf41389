// Path helpers: splitting and rebuilding device paths the way the whole program expects
// (folders keep their trailing backslash; extensions are kept without their dot).
#pragma once
#include <string>
#include <string_view>

// Splits a path into drive (always empty), folder (ending with its backslash), name and
// extension; "..\" and ".\" are dropped first. Null outputs are not wanted.
void SplitPath(std::u16string_view path, std::u16string* drive, std::u16string* folder, std::u16string* name,
               std::u16string* extension);
// The text after the last '.' of the path; false (and empty) without a dot.
bool GetExtension(std::u16string& extension, std::u16string_view path);
// Replaces the file name's extension (or adds one).
bool ChangeExtension(std::u16string& path, std::u16string_view extension);
// The folder holding the file the path names, with its trailing backslash, whether or not
// the file exists yet; false (folder = the path) when the path is itself a folder or its
// folder does not exist.
bool GetFileFolder(std::u16string& folder, std::u16string_view path);
// The path without its folder.
bool GetBareFileName(std::u16string& name, std::u16string_view path);
// The device folder of the running program, with its trailing backslash.
bool GetProgramFolder(std::u16string& folder);
// Replaces every occurrence of search; returns how many. A rescan from the start finds what
// a replacement forms with its neighbours ("aa" by "a" in "aaa" gives "a", 2); when the
// replacement holds the search text, every occurrence present at the call is replaced once.
int ReplaceAll(std::u16string& text, std::u16string_view search, std::u16string_view replacement);
