#pragma once
// Sounds through libcanberra: the desktop's event sounds and wave files by
// path. Playback is asynchronous and yields to a sound that is still playing
// (the new one is then dropped). Without a sound device nothing plays and
// nothing fails.
#include <string>

// The Windows scheme sounds the program names, and their desktop event ids.
enum class TSchemeSound { Notification, Hand, Asterisk, Question, Exclamation };
const char *SchemeEventId(TSchemeSound s);
// "SystemHand" -> "dialog-error" ...; an unknown alias is passed on as it is.
std::string EventIdForAlias(const std::string &alias);

// False when nothing was started (muted, no device, or a sound still playing).
bool PlayEventSound(const std::string &eventId);
bool PlaySoundFile(const std::string &path);
bool SoundPlaying();

// Process-wide switch, on by default; tests switch it off.
void SetSoundOutputEnabled(bool on);
bool SoundOutputEnabled();
