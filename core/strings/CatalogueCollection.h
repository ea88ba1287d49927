// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The rows of one maker's catalogue and the lookup contract the four catalogues share.
//
// Savarez and Pyramid rows carry a mass figure; Kuerschner and Aquila rows a gut-equivalent
// diameter in 0.01 mm. Row 0 of each built-in catalogue is a sentinel meaning "thinner than
// anything listed" and is labelled " * ".

#include <vector>

#include "strings/StringPhysics.h"

namespace vorn {

// Rows in order plus the tension unit the labels are shown in. Each catalogue adds Restore(),
// which refills the built-in rows, and the lookup Label(index, f, L, T): index is in-out, 0 on
// entry searches from the start, any other value is clamped and used; on return it is the row
// shown. f in Hz, L in cm, T in N.
template <class Item> class TCatalogueCollection {
public:
    using ItemType = Item;

    int Count() const { return static_cast<int>(Items.size()); }
    const Item& operator[](int i) const { return Items.at(i); }
    void Clear() { Items.clear(); }
    void Add(const Item& item) { Items.push_back(item); }
    // Removes row index; out-of-range indexes are ignored.
    void DeleteEntry(int index) {
        if (index >= 0 && index < Count())
            Items.erase(Items.begin() + index);
    }
    void CopyFrom(const TCatalogueCollection& from) { Items = from.Items; }

    std::vector<Item> Items;
    VornTensType Unit = tt_kilograms;
};

// A row index is one byte, and 255 is taken by a step down to row 0 (CatalogueStepIndex), so
// only rows 0..254 can be shown or stored; later rows take no part in a search.
constexpr int AddressableRows = 255;

} // namespace vorn
