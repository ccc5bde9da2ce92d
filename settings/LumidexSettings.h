#pragma once

#include <string>
#include <string_view>

namespace settings {

// The keys of the settings file, section "Lumidex" of "./Lumidex.ini" in the
// current directory. Every call reads or writes the file at once: there is
// no copy in memory, so a value written is what the very next read sees.
// The password has no key and is never stored.
enum class Setting { Database, User, Mode, Xsl, ViewXml };

inline constexpr const char* kSettingsSection = "Lumidex";
inline constexpr const char* kSettingsFile = "./Lumidex.ini";

// The key's name in the file and the value read when it is missing.
const char* SettingKey(Setting setting);
const char* SettingDefault(Setting setting);

std::string ReadSetting(Setting setting);
// False when the file could not be written; the old value stays.
bool WriteSetting(Setting setting, std::string_view value);

// A switch is on when the first character of its value is '1'.
bool ReadSwitch(Setting setting);
bool WriteSwitch(Setting setting, bool on);

// The login type of "MODE": exactly "1" is 1 (SYSOPER), exactly "2" is 2
// (SYSDBA), anything else 0 (Normal).
int ReadLoginMode();
bool WriteLoginMode(int loginMode);

}  // namespace settings
