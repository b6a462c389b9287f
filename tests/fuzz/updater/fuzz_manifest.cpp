// A manifest of arbitrary bytes read into a plan and carried out against a
// file system stand-in that fails at a position taken from the input. Whatever
// the manifest says, only safe items are installed, in order, and the version
// is recorded only when every item was installed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logic/UpdateManifest.h"
#include "text/GbkText.h"
#include "xml/XmlDocument.h"

namespace {

class FailingActions : public vantor::ManifestActions {
public:
    explicit FailingActions(size_t failAt) : m_failAt(failAt) {}
    bool InstallItem(const std::string& item) override {
        if (m_deleted || m_recorded) __builtin_trap();  // items come first
        if (!vantor::IsSafeManifestItem(item)) __builtin_trap();
        if (m_calls++ == m_failAt) return false;
        installed.push_back(item);
        return true;
    }
    void DeleteManifest() override {
        if (m_deleted || m_recorded) __builtin_trap();
        m_deleted = true;
    }
    void RecordVersion(const std::string& version) override {
        if (!m_deleted || m_recorded || version.empty()) __builtin_trap();
        m_recorded = true;
    }

    std::vector<std::string> installed;
    bool deleted() const { return m_deleted; }
    bool recorded() const { return m_recorded; }
    size_t calls() const { return m_calls; }

private:
    size_t m_failAt;
    size_t m_calls = 0;
    bool m_deleted = false;
    bool m_recorded = false;
};

// A safe item has no name that climbs out, no drive or stream and no root.
void CheckSafeItem(const std::string& item) {
    if (!vantor::IsSafeManifestItem(item)) return;
    if (item.empty() || item[0] == '\\' || item[0] == '/') __builtin_trap();
    const char* end = item.data() + item.size();
    const char* nameStart = item.data();
    for (const char* p = item.data();; p += vantor::GbkCharLength(p, end)) {
        if (p == end || *p == '\\' || *p == '/') {
            const std::string name(nameStart, p);
            if (name.empty() || name.find_first_not_of(". ") == std::string::npos) __builtin_trap();
            if (p == end) break;
            nameStart = p + 1;
        } else if (*p == ':' || static_cast<unsigned char>(*p) < 0x20) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t failAt = data[0] % 8;
    XmlDocument document;
    document.SetText(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    const vantor::ManifestPlan plan = vantor::ReadManifestPlan(document);
    if (!plan.found && (plan.emptyVersion || !plan.version.empty() || !plan.items.empty())) __builtin_trap();
    if (plan.emptyVersion && (!plan.version.empty() || !plan.items.empty())) __builtin_trap();
    for (const std::string& item : plan.items) CheckSafeItem(item);

    FailingActions actions(failAt);
    const vantor::ManifestOutcome outcome = vantor::CarryOutManifest(plan, actions);
    if (plan.emptyVersion) {
        if (outcome != vantor::ManifestOutcome::NothingChanged || actions.calls() != 0 || actions.deleted())
            __builtin_trap();
        return 0;
    }
    if (!actions.deleted()) __builtin_trap();
    // The installed items are the plan's first ones, in order.
    for (size_t i = 0; i < actions.installed.size(); ++i)
        if (actions.installed[i] != plan.items[i]) __builtin_trap();
    const bool all = actions.installed.size() == plan.items.size();
    if ((outcome == vantor::ManifestOutcome::Applied) != all) __builtin_trap();
    if (outcome == vantor::ManifestOutcome::NothingChanged) __builtin_trap();
    if (actions.recorded() != (all && !plan.version.empty())) __builtin_trap();
    return 0;
}
