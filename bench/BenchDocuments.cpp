// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchDocuments.h"

#include <memory>
#include <vector>

#include "document/CourseLimits.h"
#include "files/DocumentFile.h"
#include "files/FileFrame.h"
#include "files/SettingsFile.h"
#include "io/ByteWriter.h"

namespace vorn {

namespace {

constexpr int DMinorLute = 10;

std::unique_ptr<TFileFrame> lute19(TGlobalData& settings) {
    auto frame = std::make_unique<TFileFrame>(settings);
    frame->ApplyTemplate(DMinorLute);
    frame->Document.CourseCount = MaxCourses;
    frame->ViewStrings();
    return frame;
}

} // namespace

std::string BaroqueLute19File() {
    TGlobalData settings;
    ByteWriter out;
    WriteDocument(*lute19(settings), out);
    return out.take();
}

std::string TenLutesSettings() {
    TGlobalData settings;
    settings.StartupChoice = 2;
    std::vector<std::unique_ptr<TFileFrame>> frames;
    std::vector<TFileFrame*> pointers;
    for (int i = 0; i < 10; ++i)
        pointers.push_back(frames.emplace_back(lute19(settings)).get());
    return SettingsFileBytes(settings, pointers);
}

} // namespace vorn
