// The scripted removal with a box in its middle on the test doubles' window.
#include <gtest/gtest.h>

#include "tests/support/host_conformance.h"

namespace tilvara::test {
namespace {

class FakeDriver final : public HostDriver {
public:
    MainForm& game() override { return rig.game; }
    void Click(int index) override { rig.game.Image2_Click(index); }
    bool RunUntil(const std::function<bool()>& done) override {
        for (int step = 0; step < 1000 && !done(); ++step) rig.host.RunNextTimer();
        return done();
    }
    std::string OpenMessage() override {
        return rig.host.open.empty() ? std::string() : rig.host.open.back().text;
    }
    void CloseMessage() override { rig.host.CloseMessage(); }
    void Check(bool ok, const char* what) override { EXPECT_TRUE(ok) << what; }

    Rig rig;
};

TEST(HostConformance, RemovalWithABoxInItsMiddle) {
    FakeDriver driver;
    ScriptedRemovalWithABox(driver);
}

}  // namespace
}  // namespace tilvara::test
