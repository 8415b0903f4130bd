#pragma once
// Reads the user's "AppsUseLightTheme" preference: dark only when it reads 0.
bool RegistryPrefersDark();
