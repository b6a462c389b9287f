#include "StoreChoice.h"

namespace trustfit {

TargetStore ChooseStore(const CertificateKind& kind) {
    if (!kind.hasBasicConstraints || !kind.isCA) return TargetStore::AddressBook;
    return kind.selfIssued ? TargetStore::Root : TargetStore::CA;
}

const wchar_t* StoreName(TargetStore store) {
    switch (store) {
        case TargetStore::Root: return L"Root";
        case TargetStore::CA: return L"CA";
        case TargetStore::AddressBook: break;
    }
    return L"AddressBook";
}

}  // namespace trustfit
