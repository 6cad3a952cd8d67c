// The data-entry tables of the main window: the soil layer table and the nine soil-parameter
// templates that give each layer row its parameter table.
#pragma once

#include "grid_table.h"
#include "project_codes.h"
#include "soil_code.h"

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

// Columns of the parameter tables, by template. Strong rock (codes 4 and 7) and weak rock
// share the layout of their file lines; weak rock's second column is a choice.
enum SandColumn {
    kSandUnitWeightColumn = 0,
    kSandFrictionAngleColumn = 1,
    kSandBlowCountColumn = 2,
    kSandKColumn = 3,
    kSandBetaColumn = 4,
};
// Clay and clay shale.
enum ClayColumn {
    kClayUnitWeightColumn = 0,
    kClayCohesionColumn = 1,
    kClayBlowCountColumn = 2,
    kClayAlphaColumn = 3,
    kClayNcColumn = 4,
};
enum StrongRockColumn {
    kStrongRockStrengthColumn = 0,
    kStrongRockConcreteStrengthColumn = 1,
    kStrongRockSpacingColumn = 2,
    kStrongRockThicknessColumn = 3,
    kStrongRockSocketColumn = 4,
    kStrongRockModulusColumn = 5,
    kStrongRockRqdColumn = 6,
};
enum DecomposedRockColumn {
    kDecomposedUnitWeightColumn = 0,
    kDecomposedBlowCountColumn = 1,
    kDecomposedPoissonColumn = 2,
    kDecomposedModulusColumn = 3,
    kDecomposedSocketColumn = 4,
};
enum WeakRockColumn {
    kWeakRockStrengthColumn = 0,
    kWeakRockInterfaceColumn = 1,
    kWeakRockSlumpColumn = 2,
    kWeakRockFrictionAngleColumn = 3,
    kWeakRockSocketColumn = 4,
    kWeakRockModulusColumn = 5,
    kWeakRockRqdColumn = 6,
};
// Gravelly sand and gravel.
enum GravelColumn {
    kGravelUnitWeightColumn = 0,
    kGravelBlowCountColumn = 1,
    kGravelBetaColumn = 2,
};

// Rows of a parameter table: the values at the top and at the bottom of the layer.
enum ParameterRow {
    kTopRow = 0,
    kBottomRow = 1,
};

inline constexpr int kMaxLayers = 20;

class ProgramTables {
public:
    ProgramTables();
    ProgramTables(const ProgramTables &) = delete;
    ProgramTables &operator=(const ProgramTables &) = delete;

    TGridTable &SoilLayers() const { return *m_soilLayers; }
    TGridTable &Template(SoilCode code) const;
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

// The soil code of a row of the soil layer table, whose choices are the codes.
SoilCode layerSoilCode(const TGridTable &layers, int row);
void setLayerSoilCode(TGridTable &layers, int row, SoilCode code);

// True when a layer is a rock or geomaterial, which has no load-settlement curves.
bool hasRockLayer(const TGridTable &layers);

} // namespace vorna
