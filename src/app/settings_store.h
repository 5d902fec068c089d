// Where the per-user setting lives differs between the platforms; each has
// its own small source file, chosen by the build.
#pragma once

// Prepares the toolkit's default configuration store for this platform. Call
// after the vendor and application names are set and before the store is
// first used.
void PrepareSettingsStore();
