#include "Locations.h"

#include "text/GbkText.h"

#include <cstring>

namespace vantor {

const BuiltInLocation kBuiltInLocations[3] = {
    {"\xbb\xaa\xc4\xcf\xb5\xe7\xd0\xc5-\xcb\xd5\xcb\xb9\xd0\xc7\xd3\xf2", 1, 0},  // 华南电信-苏斯星域
    {"\xbb\xaa\xb1\xb1\xcd\xf8\xcd\xa8-\xc5\xb5\xcb\xb9\xd0\xc7\xd3\xf2", 2, 1},  // 华北网通-诺斯星域
    {"\xce\xf7\xb2\xbf\xb5\xe7\xd0\xc5-\xcd\xfe\xcb\xb9\xd0\xc7\xd3\xf2", 3, 2},  // 西部电信-威斯星域
};

bool IsListableLocation(const LocationInfo& location) {
    return location.ID > 0 && location.Host[0] != '\0' && location.Func[0] != '\0';
}

void SetLocationField(char (&field)[50], const std::string& text) {
    const size_t length = WholeCharacterPrefix(text.data(), text.size(), sizeof(field) - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace vantor
