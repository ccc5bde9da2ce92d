#include "settings/LumidexSettings.h"

#include "platform/PrivateProfile.h"

namespace settings {

namespace {

struct SettingRow {
    Setting nSetting;
    const char* pszKey;
    const char* pszDefault;
};

constexpr SettingRow kSettings[] = {
    {Setting::Database, "DATABASE", ""},
    {Setting::User, "USER", ""},
    {Setting::Mode, "MODE", ""},
    {Setting::Xsl, "XSL", "1"},
    {Setting::ViewXml, "VIEWXML", "1"},
};

const SettingRow& RowOf(Setting setting)
{
    for (const SettingRow& row : kSettings) {
        if (row.nSetting == setting)
            return row;
    }
    return kSettings[0];
}

}  // namespace

const char* SettingKey(Setting setting) { return RowOf(setting).pszKey; }

const char* SettingDefault(Setting setting) { return RowOf(setting).pszDefault; }

std::string ReadSetting(Setting setting)
{
    const SettingRow& row = RowOf(setting);
    return platform::ReadPrivateProfile(kSettingsSection, row.pszKey, row.pszDefault,
                                        kSettingsFile);
}

bool WriteSetting(Setting setting, std::string_view value)
{
    return platform::WritePrivateProfile(kSettingsSection, RowOf(setting).pszKey, value,
                                         kSettingsFile);
}

bool ReadSwitch(Setting setting)
{
    const std::string value = ReadSetting(setting);
    return !value.empty() && value.front() == '1';
}

bool WriteSwitch(Setting setting, bool on) { return WriteSetting(setting, on ? "1" : "0"); }

int ReadLoginMode()
{
    const std::string value = ReadSetting(Setting::Mode);
    if (value == "1")
        return 1;
    if (value == "2")
        return 2;
    return 0;
}

bool WriteLoginMode(int loginMode)
{
    return WriteSetting(Setting::Mode, std::to_string(loginMode));
}

}  // namespace settings
