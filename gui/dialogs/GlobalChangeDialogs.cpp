// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/GlobalChangeDialogs.h"

#include "chart/StrFrame.h"
#include "dialogs/GlobGut.h"
#include "dialogs/GlobMaterials.h"
#include "dialogs/GlobStrLength.h"
#include "dialogs/GlobTension.h"
#include "dialogs/GlobTuning.h"
#include "dialogs/GlobType.h"
#include "dialogs/GlobalCourses.h"

namespace vorn {

namespace {

// Each dialog answers with its form; the form applies the change.
template <class Dialog> GlobalChangeDialog made(Dialog* dialog) {
    GlobalChangeDialog result;
    result.Dialog.reset(dialog);
    result.Apply = [dialog](TStrFrame& chart) { dialog->Form().Apply(chart); };
    return result;
}

} // namespace

GlobalChangeDialog MakeGlobalChangeDialog(GlobalChangeKind kind, const TInstDataType& document,
                                          const TGlobalData& settings,
                                          const TGlobalDialog::Hooks& hooks, QWidget* parent) {
    switch (kind) {
    case gk_tuning:
        return made(new TGlobTuning(document, hooks, parent));
    case gk_course_types:
        return made(new TGlobType(hooks, parent));
    case gk_courses:
        return made(new TGlobalCourses(document, hooks, parent));
    case gk_tension:
        return made(new TGlobTension(settings, hooks, parent));
    case gk_alternatives:
        return made(new TGlobMaterials(settings, hooks, parent));
    case gk_gut:
        return made(new TGlobGut(settings, hooks, parent));
    case gk_string_length:
        return made(new TGlobStrLength(document, settings, hooks, parent));
    }
    return {};
}

} // namespace vorn
