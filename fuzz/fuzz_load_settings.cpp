// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file on arbitrary bytes: the settings block and the documents to reopen.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "files/SettingsFile.h"

using namespace vorn;

namespace {

std::vector<TFileFrame*> Frames(const SettingsLoad& load) {
    std::vector<TFileFrame*> frames;
    for (const auto& d : load.Documents)
        frames.push_back(d.get());
    return frames;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TGlobalData settings;
    const SettingsLoad load = LoadSettingsData(bytes, settings);
    if (!load.Message.empty() && (load.BoundsRead || !load.Documents.empty()))
        std::abort();
    if (settings.Materials.Count() == 0)
        std::abort();
    for (const auto& d : load.Documents) {
        fuzz::CheckSavesAndReopens(*d);
        fuzz::CheckConsumers(*d);
    }

    // Whatever was accepted is written so that it reads back the same.
    const std::string first = SettingsFileBytes(settings, Frames(load));
    TGlobalData again;
    const SettingsLoad reload = LoadSettingsData(first, again);
    if (!reload.Message.empty() || !reload.Refused.empty() ||
        reload.Documents.size() != load.Documents.size())
        std::abort();
    if (SettingsFileBytes(again, Frames(reload)) != first)
        std::abort();
    return 0;
}
