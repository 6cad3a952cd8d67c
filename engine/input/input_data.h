// The input data file as the engine holds it. Field names follow the file layout so the
// reader and the input echo can be checked line by line against it.
#pragma once

#include "method/soil_type.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorna {

enum class UnitSystem { English = 1, SI = 2 };
enum class DesignControl { DesignLoad = 1, DesignDepth = 2 };
enum class LoadingType { Compression = 1, Uplift = 2 };

// Values given at the top [0] and at the bottom [1] of a layer.
using TopBottom = std::array<double, 2>;
inline constexpr int kTop = 0;
inline constexpr int kBottom = 1;

struct LayerInput {
    double SOIL = 0.0; // the code as read
    SoilType type = SoilType::Sand;
    double topDepth = 0.0;
    double DEPTH = 0.0; // bottom of the layer

    // Soil lines (codes 1 to 3)
    TopBottom NC{}, GAMMA{}, PHI{}, CU{}, BLOWS{}, TRANLM{}, maxEndBearing{};
    int sandMethod = 1;      // 1 = K, 2 = beta (code 1); gravels always use beta
    TopBottom coefficient{}; // K or beta (sand, gravels), alpha (clay, shale)
    double lrfdSide = 1.0;
    double lrfdTip = 1.0;

    // Strong rock (codes 4, 7), weak rock (6), decomposed rock (5)
    TopBottom QUR{}, QUCON{}, CS{}, DISCT{}, BDS{}, EL{}, RQD{};
    TopBottom interfaceCondition{}, slump{}, interfaceFrictionAngle{};
    TopBottom poissonRatio{}, gravelModulus{};

    bool operator==(const LayerInput &) const = default;
};

// Where a value stood in the input data file: 1-based line and position on the line.
struct ValuePlace {
    int line = 0;
    int item = 0;
};

// The place of every value read, by name: the member name for the records 3 to 5
// ("DSTART", "outputIncrement"), layerValueKey for the layer values. Messages about a
// value found wrong after reading name its line with it.
struct ValuePlaces {
    // The first line of the first record that went on to a following line (0: none).
    int firstContinuedRecordLine = 0;

    std::optional<ValuePlace> find(std::string_view name) const
    {
        if (!m_byName)
            return std::nullopt;
        const auto it = m_byName->find(name);
        if (it == m_byName->end())
            return std::nullopt;
        return it->second;
    }
    void keep(std::string name, ValuePlace place)
    {
        if (!m_byName)
            m_byName = std::make_shared<Table>();
        else if (m_byName.use_count() > 1)
            m_byName = std::make_shared<Table>(*m_byName); // copies share until one writes
        (*m_byName)[std::move(name)] = place;
    }
    // Where a value came from is no part of the data itself.
    bool operator==(const ValuePlaces &) const { return true; }

private:
    // Shared, since every diameter of a run works on its own copy of the input.
    using Table = std::map<std::string, ValuePlace, std::less<>>;
    std::shared_ptr<Table> m_byName;
};

// The name of a layer value in ValuePlaces: layer number (1-based), the value's name in
// the reader's messages, and the end (kTop, kBottom; kBottom for whole-layer values).
inline std::string layerValueKey(int layer, std::string_view value, int end)
{
    return "LAYER " + std::to_string(layer) + " " + std::string(value) +
           (end == kTop ? " TOP" : " BOTTOM");
}

struct InputData {
    std::string title; // exactly 72 characters, blank-padded
    int units = 1;     // as read
    UnitSystem unitSystem = UnitSystem::English;

    DesignControl designControl = DesignControl::DesignLoad;
    LoadingType loadingType = LoadingType::Compression;
    double upliftFactor = 0.7;
    double outputIncrement = 1.0;
    int endBearingOption = 1;
    int designMethod = 0; // 1 = LRFD, anything else = factors of safety

    double DSTART = 0.0, DIALIM = 0.0, RATIO = 0.0, BELANGL = 0.0, TOPLEN = 0.0, BS = 0.0, Ec = 0.0;

    int NL = 0;
    double WTD = 0.0;
    double P = 0.0;   // third value of record 5
    double DGH = 0.0; // design depth; set only under design control 2
    double FST = 0.0, FSB = 0.0;

    std::vector<LayerInput> layers;

    ValuePlaces places;

    bool isSI() const { return unitSystem == UnitSystem::SI; }
    bool isLrfd() const { return designMethod == 1; }
    bool operator==(const InputData &) const = default;
};

// The engine holds a ground-surface entry and 29 layers.
inline constexpr int kMaxLayers = 29;

} // namespace vorna
