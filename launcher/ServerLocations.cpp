#include "ServerLocations.h"

#include "Deployment.h"
#include "text/DecimalText.h"

bool g_bServerChosen = false;

namespace {

const char* const kLoginHosts[3] = {VANTOR_LOGIN_HOST_1, VANTOR_LOGIN_HOST_2, VANTOR_LOGIN_HOST_3};

std::string ProfileString(const std::string& section, const char* key, DWORD bufferSize, const std::string& path) {
    std::string buffer(bufferSize, '\0');
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key, "", &buffer[0], bufferSize, path.c_str());
    buffer.resize(length);
    return buffer;
}

// Inserts the item at position with its record; false when the list refuses it.
bool InsertLocation(const CServerListBox& list, int position, const std::string& name,
                    std::unique_ptr<vantor::LocationInfo> record, LocationRecords& records) {
    LRESULT index = list.SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(name.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) return false;
    list.SetItemDataPtr(static_cast<int>(index), record.get());
    records.push_back(std::move(record));
    return true;
}

}  // namespace

void LoadLocations(const CServerListBox& list, const std::string& path, LocationRecords& records) {
    const int count = static_cast<int>(::GetPrivateProfileIntA("Locations", "count", 0, path.c_str()));
    if (count == 0) {
        for (int i = 0; i < 3; ++i) {
            const vantor::BuiltInLocation& builtIn = vantor::kBuiltInLocations[i];
            auto record = std::make_unique<vantor::LocationInfo>();
            record->ID = builtIn.id;
            record->Port = 443;
            vantor::SetLocationField(record->Host, kLoginHosts[builtIn.hostIndex]);
            vantor::SetLocationField(record->Func, "Login.aspx");
            InsertLocation(list, i, builtIn.name, std::move(record), records);
        }
    }
    for (int n = 1; n <= count; ++n) {
        // Section n goes to position n - 1; once that lies beyond the list's end
        // (an earlier section was skipped), no later section can be listed
        // either, so reading stops there instead of walking a huge count.
        if (n - 1 > list.GetCount()) break;
        const std::string section = "location" + std::to_string(n);
        auto record = std::make_unique<vantor::LocationInfo>();
        record->ID = static_cast<int>(::GetPrivateProfileIntA(section.c_str(), "ID", 0, path.c_str()));
        vantor::SetLocationField(record->Host, ProfileString(section, "Host", 50, path));
        vantor::SetLocationField(record->Func, ProfileString(section, "Func", 50, path));
        record->Port = static_cast<int>(::GetPrivateProfileIntA(section.c_str(), "Port", 443, path.c_str()));
        if (!vantor::IsListableLocation(*record)) continue;
        InsertLocation(list, n - 1, ProfileString(section, "Name", 40, path), std::move(record), records);
    }
    for (int i = 0; i < list.GetCount(); ++i) list.SetItemHeight(i, 20);

    int last = vantor::DecimalPrefixValue(ProfileString("ClientInfo", "LastSelServer", 10, path));
    list.SetCurSel(last >= 1 ? last - 1 : -1);  // 0 and positions beyond the list select nothing
}

void RememberLastServer(const std::string& path, int selectedIndex) {
    ::WritePrivateProfileStringA("ClientInfo", "LastSelServer", std::to_string(selectedIndex + 1).c_str(), path.c_str());
}

const vantor::LocationInfo* SelectedLocation(const CServerListBox& list) {
    int selection = list.GetCurSel();
    if (selection == LB_ERR) return nullptr;
    return static_cast<const vantor::LocationInfo*>(list.GetItemDataPtr(selection));
}
