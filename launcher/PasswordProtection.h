// The password-protection component PlaymoorEncrypt turns the login payload
// into the game token.
#pragma once

#include <string>

enum class ConversionResult {
    Converted,     // token holds the component's text
    Unavailable,   // the component could not be created or run; the player was told
    CallFailed,    // the component was there but its conversion failed
};

// payload: at most 255 bytes (the caller refuses longer ones).
ConversionResult ConvertLoginPayload(const std::string& payload, std::string& token);
