// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A change of a whole document, as the Globals menu and `vorn-calc change` make it, that lands
// only when the document it leaves opens again.

#include <functional>
#include <string>

namespace vorn {

class TFileFrame;
class TStrFrame;

// Applies change to the frame's chart (its rows, its document and the settings it shows) when
// the document it leaves reads back through ReadDocument. The change is rehearsed first on a
// copy read from the document's body, with a copy of the settings that no open chart listens
// to, and checked once more on the frame itself. Otherwise the frame, its settings and every
// chart on them stay as they were and *refusal says why; a document that does not read back
// as it stands takes no change.
bool ApplyCheckedChange(TFileFrame& frame, const std::function<void(TStrFrame&)>& change,
                        std::string* refusal = nullptr);

} // namespace vorn
