// Where a file of a project lives: an imported project's relative paths resolved against
// its folder, and a path whose letter case differs from the files on disk found anyway.
#pragma once
#include <string>
#include <string_view>

// The full path of a file an imported project names relative to its folder (directory
// ends with its backslash). Each "..\" takes one folder off the directory; more of them
// than it has folders leave the top, "\". Leading dots and backslashes of what remains go.
std::u16string ResolveProjectPath(std::u16string_view directory, std::u16string_view relative);

// The path itself when it names something; otherwise the path whose components match it
// ignoring letter case, each where exactly one entry of its folder does. Unchanged when a
// component has no such single match.
std::u16string FindIgnoringCase(std::u16string_view path);
