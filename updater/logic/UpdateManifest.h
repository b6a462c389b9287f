// The update manifest updateFile.xml and the order in which the updater
// carries it out, apart from the file system so that the rules are tested
// natively. The manifest:
//   <spkprotocol>
//     <version>2006.02.01</version>            optional; empty: nothing is changed
//     <displayVersion>1.2</displayVersion>     optional; empty: nothing is changed
//     <copyfile><item>a.dll</item><item>data\b.dat</item></copyfile>
//   </spkprotocol>
// The three children are looked for one after the other, each search starting
// after the child found before, so they count only in that order.
#pragma once

#include <string>
#include <vector>

class XmlDocument;

namespace vantor {

struct ManifestPlan {
    bool found = false;                // the document has a spkprotocol element
    bool emptyVersion = false;         // version or displayVersion present but empty: change nothing
    std::string version;               // empty when absent
    std::vector<std::string> items;    // copyfile's items in document order
};

// Reads a parsed manifest (the document's cursor is moved). A document that
// did not parse, or has no spkprotocol, gives a plan with found == false.
ManifestPlan ReadManifestPlan(XmlDocument& document);

// Whether an item names a file inside the installation folder: a relative
// path of "\" or "/" separated names, none empty, none made only of dots and
// blanks (".." and the names Windows shortens to it), no ":" (drives and
// stream names), no control characters, no leading separator (root or UNC).
// Checked as GBK text: a trail byte 0x5C is not a separator.
bool IsSafeManifestItem(const std::string& item);

// The file system side of carrying out a plan.
class ManifestActions {
public:
    virtual ~ManifestActions() = default;
    // Installs Update\item over the installed item (the old file stays whole if
    // this fails) and deletes the source. False when the item was not installed.
    virtual bool InstallItem(const std::string& item) = 0;
    virtual void DeleteManifest() = 0;
    virtual void RecordVersion(const std::string& version) = 0;
};

enum class ManifestOutcome {
    NothingChanged,  // an empty version or displayVersion: not even the manifest is deleted
    Applied,         // every item installed (or no manifest); manifest deleted; version recorded if named
    CopyFailed,      // an item was refused or not installed: the rest skipped, manifest deleted, version NOT recorded
};

// Carries out a plan: items in order until one is unsafe or fails, then the
// manifest is deleted, then the version is recorded, but only when every item
// was installed, so that a client left with part of the new files is offered
// the update again at its next start. On CopyFailed, failedItem (when given)
// names the item that stopped the rest.
ManifestOutcome CarryOutManifest(const ManifestPlan& plan, ManifestActions& actions,
                                 std::string* failedItem = nullptr);

}  // namespace vantor
