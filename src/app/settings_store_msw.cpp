// The setting on Windows: the toolkit's default store is already the
// registry, HKEY_CURRENT_USER\Software\<vendor>\<application>.
#include "app/settings_store.h"

void PrepareSettingsStore()
{
}
