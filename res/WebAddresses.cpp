#include "res/WebAddresses.h"

#include "res/resource.h"

namespace {

// The maker's pages live under a reserved example domain until the product has a real one;
// the help page is our own and ships beside the program, so it opens without a network.
constexpr WebAddress kAddresses[] = {
    {ID_LINKS_HOMEPAGE, "the maker's homepage", "https://www.norvane.example/", false},
    {ID_LINKS_DOWNLOAD, "the maker's download page", "https://www.norvane.example/download/", false},
    {ID_LINKS_ORACLE, "Oracle's homepage", "https://www.oracle.com/", false},
    {ID_LINKS_TECHNET, "Oracle's Technet site", "https://www.oracle.com/technical-resources/", false},
    {ID_LINKS_METALINK, "Oracle's MetaLink site", "https://support.oracle.com/", false},
    {ID_LINKS_GOOGLE, "Google's search homepage", "https://www.google.com/", false},
    {ID_HELP, "the online help page", "help/index.html", true},
};

}  // namespace

std::span<const WebAddress> WebAddresses() { return kAddresses; }

const WebAddress* FindWebAddress(int nId)
{
    for (const WebAddress& address : kAddresses)
        if (address.nId == nId)
            return &address;
    return nullptr;
}
