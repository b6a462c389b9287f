// Dialog data exchange: moves text between edits and members, and sets or
// checks the length limits of the edits.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    HWND m_hDialog;
    bool m_bSaveAndValidate;  // true: controls -> members; false: members -> controls
    bool m_bFailed = false;   // set when a check refused the text
    int m_nLastControl = 0;   // the control of the last exchange, which a check refers to
};

// Text of an edit <-> member.
void DDX_Text(CDataExchange& dx, int controlId, std::string& value);

// At most maxChars characters: limits the edit when filling it, and refuses a
// longer text (message box, focus back on the edit) when reading it.
void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars);

}  // namespace fw
