// libFuzzer target for the size text of the search criteria: any input, as a text, must parse
// or be refused without overflow, and a parsed size must be what the digits and the suffix say,
// worked out here in 128 bits. A broken rule stops the run with a trap.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "search/searchparse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text((const char*)data, size);
    text = text.c_str(); // as a dialog box hands it over: up to the first zero
    int64_t bytes = -7;
    const int rc = ParseSearchSize(text.c_str(), &bytes);
    if (rc != 0 && rc != 1)
        __builtin_trap();
    if (rc == 0) {
        if (bytes != 0)
            __builtin_trap();
        return 0;
    }
    size_t n = 0;
    unsigned __int128 value = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9')
        value = value * 10 + (unsigned)(text[n++] - '0');
    if (n == 0 || n > 20)
        __builtin_trap();
    if (n < text.size()) {
        const char suffix = text[n] | 0x20;
        value <<= suffix == 'k' ? 10 : suffix == 'm' ? 20 : suffix == 'g' ? 30 : 200;
        if (n + 1 != text.size())
            __builtin_trap();
    }
    if (value > (unsigned __int128)INT64_MAX || (int64_t)value != bytes)
        __builtin_trap();
    return 0;
}
