// The maker's web pages opened from the settings dialog. The build may set them
// (TALLYVOX_HOME_URL, TALLYVOX_DOWNLOAD_URL); these are the defaults.
#pragma once

namespace tallyvox {

#ifndef TALLYVOX_HOME_URL
#define TALLYVOX_HOME_URL "https://tallyvox.github.io/"
#endif
#ifndef TALLYVOX_DOWNLOAD_URL
#define TALLYVOX_DOWNLOAD_URL "https://tallyvox.github.io/download/"
#endif

constexpr const char* kHomePageUrl = TALLYVOX_HOME_URL;
constexpr const char* kDownloadPageUrl = TALLYVOX_DOWNLOAD_URL;

}  // namespace tallyvox
