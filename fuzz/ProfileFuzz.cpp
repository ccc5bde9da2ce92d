// The INI layer on arbitrary file contents and entries: whatever the file
// holds, a stored entry reads back as written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "platform/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string section = provider.ConsumeRandomLengthString(16);
    const std::string key = provider.ConsumeRandomLengthString(16);
    const std::string value = provider.ConsumeRandomLengthString(64);
    const std::string text = provider.ConsumeRemainingBytesAsString();

    platform::FindProfileValue(text, section, key);
    if (!platform::IsStorableProfileEntry(section, key, value))
        return 0;
    const std::string written = platform::WithProfileValue(text, section, key, value);
    if (platform::FindProfileValue(written, section, key) != value)
        std::abort();
    // Writing the same again changes nothing.
    if (platform::WithProfileValue(written, section, key, value) != written)
        std::abort();
    return 0;
}
