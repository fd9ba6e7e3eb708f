#pragma once
// The parts of start-up and shut-down that need no window: identity texts,
// seeding the settings file and emptying the download caches.
#include <string>

// Set as the very first step; the update check appends it to its version.
const std::string &BuildLetter();
void SetBuildLetter(const std::string &letter);
// The application title ("Weather") and help file ("Tolvu.chm").
const std::string &ApplicationTitle();
void SetApplicationTitle(const std::string &title);
const std::string &ApplicationHelpFile();
void SetApplicationHelpFile(const std::string &name);
// The instance key made at start-up (empty until then or when it failed).
const std::string &InstanceKey();
void SetInstanceKey(const std::string &key);

// Program file name + ".ini" ("Tolvu.ini").
std::string SettingsFileName();
// Copies programPath + name into profilePath when the profile has no such
// file. Never overwrites. True when it copied.
bool SeedSettingsFile(const std::string &programPath, const std::string &profilePath, const std::string &name);

// The file that survives cache emptying so the station list is not fetched again.
extern const char *const kKeptCacheFile;  // "NWSStations.xml"

// Deletes the entries of one folder except kKeptCacheFile. Sub-folders are not
// descended into, links are removed as links (never followed), failures are
// ignored. A folder that is itself a link is left alone. Returns how many
// entries were deleted.
int DeleteFolderFiles(const std::string &folder);
// The exit clean-up: programPath "Cache/Radar/" and profilePath
// "Cache/Images/" are emptied and removed, profilePath "Cache/" is emptied.
void EmptyCaches(const std::string &programPath, const std::string &profilePath);
