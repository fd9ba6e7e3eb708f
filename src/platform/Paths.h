#pragma once
// Program and profile folders. Both end in '/'.
#include <string>

// Folder of the executable (shipped data lives here).
std::string ProgramPath();
// Tests and tools may point the program folder elsewhere.
void SetProgramPath(const std::string &folder);
// Folder of the shipped data files (tables, Lang/, Sound/, Images/,
// Services.rcc): ProgramPath() when it holds them (a build tree, a copied
// folder, or a folder set with SetProgramPath), else the installed
// "<prefix>/share/tolvu/" beside the executable's "<prefix>/bin/".
std::string DataPath();
// The data folder for a given program folder, by the rule above.
std::string DataPathFor(const std::string &programFolder);
// $XDG_DATA_HOME/Tolvu/ (default ~/.local/share/Tolvu/); read anew each call.
std::string ProfilePath();
// The file-name part of the executable ("Tolvu").
std::string ProgramFileName();
// Logical names use '\' ("Cache\Images\"); turn them into native paths.
std::string NativePath(const std::string &logical);
// Creates the folder and its missing parents. True when it exists afterwards.
bool ForceDirectories(const std::string &folder);
bool FileExists(const std::string &path);
bool DirectoryExists(const std::string &path);
// A name from outside (server, listing): the plain file name, or empty when
// it is unusable ("..", ".", empty, or only separators).
std::string SafeFileName(const std::string &name);
