// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The one notice of a settings change: every open string chart listens, so that a unit, a
// material list or a density changed from any dialog reaches every document at once.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace vorn {

// What changed, as bits: a listener does only the work its bits ask for.
enum SettingsChange : unsigned {
    sc_tension_unit = 1u << 0,     // tensions are shown in another unit; no value changes
    sc_materials = 1u << 1,        // the material list or the catalogues
    sc_reference_density = 1u << 2 // the gut density: every string is recalculated
};

// A plain observer list. Copies of the settings (the options dialog's scratch copy) must not
// carry the listeners of the live settings, and copying a scratch copy back must not drop
// them: a copy starts with none, and an assignment keeps the listeners it had.
class SettingsNotice {
public:
    using Listener = std::function<void(unsigned changes)>;

    SettingsNotice() = default;
    SettingsNotice(const SettingsNotice&) {}
    SettingsNotice& operator=(const SettingsNotice&) { return *this; }

    // An id for Unsubscribe; never 0.
    int Subscribe(Listener listener) {
        listeners_.emplace_back(++lastId_, std::move(listener));
        return lastId_;
    }
    void Unsubscribe(int id) {
        std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
    }
    // In the order of subscription; a listener may unsubscribe itself or others meanwhile.
    void Notify(unsigned changes) const {
        const auto snapshot = listeners_;
        for (const auto& [id, listener] : snapshot)
            if (isSubscribed(id))
                listener(changes);
    }
    int ListenerCount() const { return static_cast<int>(listeners_.size()); }

private:
    bool isSubscribed(int id) const {
        for (const auto& entry : listeners_)
            if (entry.first == id)
                return true;
        return false;
    }
    std::vector<std::pair<int, Listener>> listeners_;
    int lastId_ = 0;
};

} // namespace vorn
