#pragma once

// What the engine's tests on real windows share: the internal skin package, a manager that
// offers it, forms built at run time, the gate in front of every skin command, and counting
// trace lines.

#include "skin/engine/skin_command_protocol.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/testing/internal_skin_manager.h"
#include "support/trace.h"
#include "ui/form.h"
#include "ui/skin_command_gate.h"
#include "ui/tests/win32/framework_fixture.h"

#include <string>

namespace skin::engine {

using testing::InternalPackageBytes;
using testing::OfferInternalSkin;

// A form built at run time: Finish ends its loading state once its controls exist.
class BuiltForm : public ui::Form {
public:
    BuiltForm() : ui::Form(nullptr) {}
    void Finish() { FinishCreation(); }
};

// Every skin command passes the engine's gate, as in the program.
class GatedTest : public ui::FrameworkTest {
protected:
    void SetUp() override {
        ui::FrameworkTest::SetUp();
        InstallSkinCommandGate();
    }
    void TearDown() override {
        ui::SetSkinCommandGate(nullptr);
        ui::FrameworkTest::TearDown();
    }
};

// How many lines of the event the trace file holds.
inline int CountLines(const std::string& path, const std::string& event) {
    return static_cast<int>(testing_support::TraceLines(path, event).size());
}

} // namespace skin::engine
