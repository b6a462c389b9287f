#include "ServerLocations.h"

#include "Deployment.h"
#include "framework/ProfileFile.h"
#include "text/DecimalText.h"

bool g_bServerChosen = false;

namespace {

const char* const kLoginHosts[3] = {VANTOR_LOGIN_HOST_1, VANTOR_LOGIN_HOST_2, VANTOR_LOGIN_HOST_3};

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
    const int count = fw::ReadProfileInt(path, "Locations", "count", 0);
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
        record->ID = fw::ReadProfileInt(path, section.c_str(), "ID", 0);
        vantor::SetLocationField(record->Host, fw::ReadProfileString(path, section.c_str(), "Host", 49));
        vantor::SetLocationField(record->Func, fw::ReadProfileString(path, section.c_str(), "Func", 49));
        record->Port = fw::ReadProfileInt(path, section.c_str(), "Port", 443);
        if (!vantor::IsListableLocation(*record)) continue;
        InsertLocation(list, n - 1, fw::ReadProfileString(path, section.c_str(), "Name", 39), std::move(record), records);
    }
    for (int i = 0; i < list.GetCount(); ++i) list.SetItemHeight(i, 20);

    int last = vantor::DecimalPrefixValue(fw::ReadProfileString(path, "ClientInfo", "LastSelServer", 9));
    list.SetCurSel(last >= 1 ? last - 1 : -1);  // 0 and positions beyond the list select nothing
}

void RememberLastServer(const std::string& path, int selectedIndex) {
    fw::WriteProfileString(path, "ClientInfo", "LastSelServer", std::to_string(selectedIndex + 1));
}

const vantor::LocationInfo* SelectedLocation(const CServerListBox& list) {
    int selection = list.GetCurSel();
    if (selection == LB_ERR) return nullptr;
    return static_cast<const vantor::LocationInfo*>(list.GetItemDataPtr(selection));
}
