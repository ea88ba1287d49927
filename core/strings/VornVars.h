#pragma once
// The four string makers' catalogues of overwound strings and the lookup that names the
// entry fitting a string.
//
// Savarez and Pyramid rows carry a mass figure; Kuerschner and Aquila rows a gut-equivalent
// diameter in 0.01 mm. Row 0 of each built-in catalogue is a sentinel meaning "thinner than
// anything listed" and is labelled " * ".

#include <cstdint>
#include <string>
#include <vector>

#include "strings/StringPhysics.h"

namespace vorn {

struct TSavarezItem {
    uint8_t Flags = 0; // 1 "NP", 2 "NF", 4 "BP"
    int32_t Bound = 0;
    int32_t Value = 0;
    bool operator==(const TSavarezItem&) const = default;
};

struct TPyramidItem {
    int32_t Code = 0; // catalogue number
    int32_t Bound = 0;
    int32_t Value = 0;
    bool operator==(const TPyramidItem&) const = default;
};

struct TKuerschnerItem {
    int32_t Value = 0; // gut-equivalent diameter, 0.01 mm
    bool operator==(const TKuerschnerItem&) const = default;
};

struct TAquilaItem {
    int32_t Value = 0; // gut-equivalent diameter, 0.01 mm
    int32_t DE = 0;    // 0 or 1
    bool operator==(const TAquilaItem&) const = default;
};

// Rows in order plus the tension unit the labels are shown in.
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

// Each catalogue: Restore() refills the built-in rows; Label() is the lookup. index is in-out:
// 0 on entry searches from the start, any other value is clamped and used; on return it is
// the row shown. f in Hz, L in cm, T in N.
class TSavarezCollection : public TCatalogueCollection<TSavarezItem> {
public:
    TSavarezCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

class TPyramidCollection : public TCatalogueCollection<TPyramidItem> {
public:
    TPyramidCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

class TKuerschnerCollection : public TCatalogueCollection<TKuerschnerItem> {
public:
    TKuerschnerCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

class TAquilaCollection : public TCatalogueCollection<TAquilaItem> {
public:
    TAquilaCollection() { Restore(); }
    void Restore();
    std::string Label(uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int index) const;
};

// The four catalogues together, addressed by material kind 4..7.
struct TCatalogues {
    TSavarezCollection Savarez;
    TPyramidCollection Pyramid;
    TKuerschnerCollection Kuerschner;
    TAquilaCollection Aquila;

    void SetCatalogueUnit(VornTensType unit);
    // kind 4 Savarez, 5 Pyramid, 6 Kuerschner, 7 Aquila; other kinds give an empty label.
    std::string CatalogueLabel(int kind, uint8_t& index, double f, float L, float T) const;
    std::string EntryLabel(int kind, int index) const;
    int Count(int kind) const;
};

// The index to pass to Label for a spin step (+1 or -1) from the row shown at `index`.
// index - 1 alone would reach 0, which Label takes as "search again" and so jumps back to the
// best fit; stepping down to row 0 yields 255 instead, which Label shows as row 0.
uint8_t CatalogueStepIndex(uint8_t index, int step);

// Maker name ("Savarez", "Pyramid", "Kuerschner", "Aquila") to kind 4..7; -1 otherwise.
int CatalogueKindOfName(const std::string& name);
std::string CatalogueName(int kind);

} // namespace vorn
