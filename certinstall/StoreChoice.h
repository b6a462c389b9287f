// Which local-machine store a certificate belongs in, from its basic
// constraints and whether it issued itself.
#pragma once

namespace trustfit {

enum class TargetStore { Root, CA, AddressBook };

struct CertificateKind {
    bool hasBasicConstraints = false;  // extension 2.5.29.19 present
    bool isCA = false;                 // its CA flag (false when absent)
    bool selfIssued = false;           // subject name equals issuer name
};

TargetStore ChooseStore(const CertificateKind& kind);

// The system store's name: "Root", "CA" or "AddressBook".
const wchar_t* StoreName(TargetStore store);

}  // namespace trustfit
