#pragma once

// Folders on the real disk, for the end-to-end tests that create and check them.

#include <map>
#include <set>
#include <string>

namespace testing_support {

bool PathExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Removes a directory with everything in it.
void RemoveTree(const std::wstring& path);
// Every directory below `path`, relative to it, with the names exactly as on disk.
std::set<std::wstring> FoldersBelow(const std::wstring& path);
// Every file and folder below `path`, relative to it (a folder's name ends in a backslash), with
// each file's content (a folder's is empty).
using FileContents = std::map<std::wstring, std::string>;
FileContents FilesBelow(const std::wstring& path);

// A whole file's bytes, read while another process may still have it open for writing (the
// program's diagnostic trace); empty when it cannot be opened.
std::string ReadWholeFile(const std::wstring& path);
// Writes the bytes as the whole file; false when that failed.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);
// The templates folder beside the program, with its trailing backslash.
std::wstring TemplatesDirectory();
// The stem followed by this test process's id, so that runs side by side never share a name.
std::wstring Unique(const std::wstring& stem);

} // namespace testing_support
