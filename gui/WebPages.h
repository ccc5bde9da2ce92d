#pragma once

#include <QUrl>

// The address of a web-link command (or of ID_HELP, the help page beside the program);
// empty for any other id.
QUrl WebPageUrl(int nId);

// Opens the page of a web-link command; a page that cannot be opened gives the default beep.
void OpenWebPage(int nId);
