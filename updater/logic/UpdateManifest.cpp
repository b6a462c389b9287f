#include "UpdateManifest.h"

#include "logic/PathNames.h"
#include "xml/XmlDocument.h"

namespace vantor {

ManifestPlan ReadManifestPlan(XmlDocument& document) {
    ManifestPlan plan;
    if (!document.NextElement("spkprotocol")) return plan;
    plan.found = true;
    // Each search starts after the child found before it, so a child that
    // stands before an earlier-found one is not seen.
    if (document.NextChild("version")) {
        plan.version = document.ChildText();
        if (plan.version.empty()) {
            plan.emptyVersion = true;
            return plan;
        }
    }
    if (document.NextChild("displayVersion") && document.ChildText().empty()) {
        plan.emptyVersion = true;
        plan.version.clear();
        return plan;
    }
    if (document.NextChild("copyfile") && document.EnterElement()) {
        while (document.NextChild("item")) plan.items.push_back(document.ChildText());
    }
    return plan;
}

bool IsSafeManifestItem(const std::string& item) {
    const char* begin = item.data();
    const char* end = begin + item.size();
    if (begin == end || IsPathSeparator(*begin)) return false;
    const char* nameStart = begin;
    for (const char* p = begin;; p += PathCharLength(p, end)) {
        if (p == end || IsPathSeparator(*p)) {
            if (!IsPlainFileName(nameStart, p)) return false;
            if (p == end) return true;
            nameStart = p + 1;
        }
    }
}

ManifestOutcome CarryOutManifest(const ManifestPlan& plan, ManifestActions& actions, std::string* failedItem) {
    if (plan.emptyVersion) return ManifestOutcome::NothingChanged;
    bool allInstalled = true;
    for (const std::string& item : plan.items) {
        if (!IsSafeManifestItem(item) || !actions.InstallItem(item)) {
            allInstalled = false;
            if (failedItem) *failedItem = item;
            break;
        }
    }
    actions.DeleteManifest();
    if (!allInstalled) return ManifestOutcome::CopyFailed;
    if (!plan.version.empty()) actions.RecordVersion(plan.version);
    return ManifestOutcome::Applied;
}

}  // namespace vantor
