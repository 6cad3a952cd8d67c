// The data-entry tables of the main window: the soil layer table and the nine soil-parameter
// templates that give each layer row its parameter table.
#pragma once

#include "grid_table.h"
#include "project_codes.h"

#include <memory>
#include <vector>

namespace vorna {

// Columns of the soil layer table.
enum SoilLayerColumn {
    kSoilTypeColumn = 0,
    kBottomDepthColumn = 1,
    kLayerDataColumn = 2,
    kMaxSideFrictionColumn = 3,
    kMaxEndBearingColumn = 4,
    kLrfdSideColumn = 5,
    kLrfdTipColumn = 6,
};

inline constexpr int kMaxLayers = 20;

class ProgramTables {
public:
    ProgramTables();
    ProgramTables(const ProgramTables &) = delete;
    ProgramTables &operator=(const ProgramTables &) = delete;

    TGridTable &SoilLayers() const { return *m_soilLayers; }
    // The template of a soil type code 1 to 9.
    TGridTable &Template(int soilTypeCode) const;
    // The soil layer table, then the templates.
    std::vector<TGridTable *> All() const;

    // The LRFD columns show only under LRFD design, and the comments follow.
    void SetDesignMethod(DesignMethod designMethod);

    TableRegistry &Registry() { return m_registry; }

private:
    TableRegistry m_registry; // first, so it outlives every table
    std::vector<std::unique_ptr<TGridTable>> m_templates;
    std::unique_ptr<TGridTable> m_soilLayers;
};

} // namespace vorna
