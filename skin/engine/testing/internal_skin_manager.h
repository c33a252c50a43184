#pragma once

// A skin manager holding the internal skin, for tests of controls that take their skin from the
// default manager: made active in the constructor (the command gate installed), gone with the
// object. Glowing is off, as in the program.

#include "skin/engine/skin_command_protocol.h"
#include "skin/engine/skin_manager.h"
#include "ui/skin_command_gate.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace skin::engine::testing {

inline const std::vector<std::uint8_t>& InternalPackageBytes() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream file(ARBORDIR_INTERNAL_SKIN_PACKAGE, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
    }();
    return bytes;
}

// The manager offers the internal skin, and looks for skin files where there are none.
inline void OfferInternalSkin(TsSkinManager& manager) {
    manager.InternalSkins.push_back({u"Glacier (internal)", InternalPackageBytes()});
    manager.SetSkinDirectory(u"c:\\NoSkinsHere");
}

class InternalSkinManager {
public:
    InternalSkinManager() {
        InstallSkinCommandGate();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        manager_->Effects.AllowGlowing = false;
        OfferInternalSkin(*manager_);
        manager_->SetSkinName(u"Glacier (internal)");
    }
    ~InternalSkinManager() {
        manager_.reset();
        ui::SetSkinCommandGate(nullptr);
    }
    InternalSkinManager(const InternalSkinManager&) = delete;
    InternalSkinManager& operator=(const InternalSkinManager&) = delete;

    TsSkinManager& Manager() { return *manager_; }
    // The loaded skin; tests may change its values to try other skins' settings.
    data::LoadedSkin& Skin() { return const_cast<data::LoadedSkin&>(*manager_->Skin()); }

private:
    std::unique_ptr<TsSkinManager> manager_;
};

} // namespace skin::engine::testing
