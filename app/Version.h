#pragma once
// The one place the release version is written; tools/release.sh names the archives after it.
#define TORVIN_VERSION "1.0.0"
