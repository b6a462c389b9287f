// Server locations: the record attached to each server-list item, the
// built-in locations and the rule that decides whether a section is listed.
#pragma once

#include <string>

namespace vantor {

struct LocationInfo {
    int ID = 0;        // valid only when greater than 0
    int Port = 443;
    char Host[50] = {};
    char Func[50] = {};
};

struct BuiltInLocation {
    const char* name;  // GBK display name
    int id;
    int hostIndex;     // login server 1, 2 or 3 (0-based)
};

// The three locations used when ClientInfo.ini lists none: all on port 443, page "Login.aspx".
extern const BuiltInLocation kBuiltInLocations[3];

// Whether a location section may be listed: a positive ID, a host and a page.
bool IsListableLocation(const LocationInfo& location);

// Copies text into one of the record's 50-byte fields, cut to 49 bytes and
// never splitting a GBK character.
void SetLocationField(char (&field)[50], const std::string& text);

}  // namespace vantor
