#pragma once

// Sets the client's environment where the user left it unset: NLS_LANG from
// the locale, and no help address after Oracle's error texts. The client
// reads both as it loads, so this runs before.
void SetClientEnvironmentDefaults();
