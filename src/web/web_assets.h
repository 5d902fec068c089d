// The web page's own files (player.html, player.css, player.js), built into
// the programs byte for byte by cmake/EmbedAssets.cmake.
#pragma once

#include <cstddef>
#include <string_view>

struct WebAsset
{
    const char* data;
    size_t size;
    const char* sha256;  // of the bytes, in hexadecimal, for the page's security policy

    std::string_view Text() const { return std::string_view(data, size); }
};

// The page around the quiz, with @NAME@ where the writer puts its parts.
extern const WebAsset WEB_TEMPLATE;
extern const WebAsset WEB_STYLE;
extern const WebAsset WEB_PLAYER;
