#pragma once

// What the tests of the skinned controls on real windows share: a skin manager holding the
// internal skin for each test, and the diagnostic trace read back line by line.

#include "skin/data/loaded_skin.h"
#include "skin/engine/testing/internal_skin_manager.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/trace.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace skin::controls::testing {

struct TraceLine {
    std::string control, event;
    long long frame = 0, value = 0;
};

// The trace redirected to a file of the test's own while the object lives.
class Trace {
public:
    explicit Trace(const std::string& name = "skin_controls_test") {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path_ = std::string(dir) + name + ".trace";
        std::remove(path_.c_str());
        ui::RedirectTrace(path_);
    }
    ~Trace() { ui::RedirectTrace(""); }
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    std::vector<TraceLine> Lines(const std::string& control) const {
        std::vector<TraceLine> lines;
        std::ifstream in(path_);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            TraceLine t;
            std::string frame, value;
            std::getline(fields, t.control, '\t');
            std::getline(fields, t.event, '\t');
            std::getline(fields, frame, '\t');
            std::getline(fields, value, '\t');
            t.frame = std::stoll(frame);
            t.value = std::stoll(value);
            if (t.control == control)
                lines.push_back(t);
        }
        return lines;
    }
    int Count(const std::string& control, const std::string& event) const {
        int n = 0;
        for (const TraceLine& t : Lines(control))
            n += t.event == event;
        return n;
    }

private:
    std::string path_;
};

inline bool Ended(const Trace& trace, const std::string& control, int ends) {
    return trace.Count(control, "fade-end") >= ends;
}

class SkinControlsTest : public ui::FrameworkTest {
protected:
    void SetUp() override {
        ui::FrameworkTest::SetUp();
        manager_ = std::make_unique<engine::testing::InternalSkinManager>();
        ASSERT_TRUE(manager_->Manager().SkinActive());
    }
    void TearDown() override {
        manager_.reset();
        ui::FrameworkTest::TearDown();
    }
    data::LoadedSkin& Skin() { return manager_->Skin(); }

    std::unique_ptr<engine::testing::InternalSkinManager> manager_;
};

} // namespace skin::controls::testing
