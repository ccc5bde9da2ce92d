#pragma once

// The pages Lumidex opens in the user's browser, keyed by command id.

#include <span>

struct WebAddress {
    int nId;
    const char* pszKind;
    const char* pszAddress;  // a web address, or a file name beside the program
    bool bLocal;             // the address names a file shipped beside the program
};

std::span<const WebAddress> WebAddresses();
const WebAddress* FindWebAddress(int nId);
