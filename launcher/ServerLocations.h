// Fills the server list from ClientInfo.ini, or with the built-in locations,
// and remembers the confirmed location.
#pragma once

#include "controls/ServerListBox.h"
#include "logic/Locations.h"

#include <memory>
#include <string>
#include <vector>

// Set once the player has confirmed a server; the login button reads it.
extern bool g_bServerChosen;

using LocationRecords = std::vector<std::unique_ptr<vantor::LocationInfo>>;

// Lists the locations of the file (or the built-in ones when it lists none),
// each item carrying its record, sets the item height to 20 and selects the
// item of LastSelServer. The records stay owned by records.
void LoadLocations(const CServerListBox& list, const std::string& clientInfoPath, LocationRecords& records);

// Writes the 1-based position of the confirmed item as LastSelServer.
void RememberLastServer(const std::string& clientInfoPath, int selectedIndex);

// The record of the list's current selection, or null.
const vantor::LocationInfo* SelectedLocation(const CServerListBox& list);
