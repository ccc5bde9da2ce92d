#pragma once

#include <string>

// The Oracle client's NLS_LANG for a locale character set as nl_langinfo
// names it, e.g. "AMERICAN_AMERICA.AL32UTF8" for "UTF-8"; empty when the
// character set has no Oracle counterpart here.
std::string NlsLangForCharset(const std::string& strCharset);

// Sets NLS_LANG from the locale's character set unless it is set already, so
// that the client delivers texts in the character set the program shows.
void SetDefaultNlsLang();

// The most bytes a character takes in the client character set that an
// NLS_LANG value names (null: unset): 1 without a character set (US7ASCII),
// 4 for a set this table does not know, so that no buffer is too small.
int MaxBytesPerCharacter(const char* pszNlsLang);
