#include "logic/UpdateManifest.h"

#include <gtest/gtest.h>

#include <set>

namespace vantor {
namespace {

// Records every call in order; installing fails for the names in failing.
class RecordingActions : public ManifestActions {
public:
    explicit RecordingActions(std::set<std::string> failing = {}) : m_failing(std::move(failing)) {}
    bool InstallItem(const std::string& item) override {
        calls.push_back("install " + item);
        return m_failing.count(item) == 0;
    }
    void DeleteManifest() override { calls.push_back("delete manifest"); }
    void RecordVersion(const std::string& version) override { calls.push_back("version " + version); }

    std::vector<std::string> calls;

private:
    std::set<std::string> m_failing;
};

using Calls = std::vector<std::string>;

ManifestPlan MakePlan(std::string version, std::vector<std::string> items) {
    ManifestPlan plan;
    plan.found = true;
    plan.version = std::move(version);
    plan.items = std::move(items);
    return plan;
}

TEST(CarryOutManifest, InstallsEveryItemThenDeletesTheManifestThenRecordsTheVersion) {
    RecordingActions actions;
    EXPECT_EQ(ManifestOutcome::Applied, CarryOutManifest(MakePlan("2", {"a.dll", "data\\b.dat"}), actions));
    EXPECT_EQ((Calls{"install a.dll", "install data\\b.dat", "delete manifest", "version 2"}), actions.calls);
}

TEST(CarryOutManifest, NoVersionOrNoManifestOnlyDeletesTheManifest) {
    RecordingActions actions;
    EXPECT_EQ(ManifestOutcome::Applied, CarryOutManifest(MakePlan("", {"a.dll"}), actions));
    EXPECT_EQ((Calls{"install a.dll", "delete manifest"}), actions.calls);

    RecordingActions none;
    EXPECT_EQ(ManifestOutcome::Applied, CarryOutManifest(ManifestPlan{}, none));
    EXPECT_EQ(Calls{"delete manifest"}, none.calls);
}

TEST(CarryOutManifest, FailedItemStopsTheRestAndKeepsTheOldVersion) {
    RecordingActions actions({"data\\b.dat"});
    std::string failed;
    EXPECT_EQ(ManifestOutcome::CopyFailed,
              CarryOutManifest(MakePlan("2", {"a.dll", "data\\b.dat", "c.dll"}), actions, &failed));
    EXPECT_EQ((Calls{"install a.dll", "install data\\b.dat", "delete manifest"}), actions.calls);
    EXPECT_EQ("data\\b.dat", failed) << "the player is told which file could not be replaced";
}

TEST(CarryOutManifest, UnsafeItemIsNeverInstalledAndStopsTheRest) {
    for (const char* unsafe : {"..\\x.dll", "C:\\x.dll", "", "\\x.dll"}) {
        RecordingActions actions;
        EXPECT_EQ(ManifestOutcome::CopyFailed, CarryOutManifest(MakePlan("2", {"a.dll", unsafe, "c.dll"}), actions));
        EXPECT_EQ((Calls{"install a.dll", "delete manifest"}), actions.calls) << unsafe;
    }
}

TEST(CarryOutManifest, EmptyVersionTouchesNothing) {
    ManifestPlan plan = MakePlan("", {"a.dll"});
    plan.emptyVersion = true;
    RecordingActions actions;
    EXPECT_EQ(ManifestOutcome::NothingChanged, CarryOutManifest(plan, actions));
    EXPECT_EQ(Calls{}, actions.calls);
}

}  // namespace
}  // namespace vantor
