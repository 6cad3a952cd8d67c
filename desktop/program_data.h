// The project: the input values that the data dialogs edit, that a run hands to the engine
// and that the graphs consult. The layered soil data lives in the main window's tables
// (ProgramTables). The project file (project_file.h) reads and writes both.
#pragma once

#include "project_codes.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace vorna {

class ProgramTables;

// Shaft properties, as record 4 of the project file holds them, then the water table.
enum ShaftProperty {
    kMinDiameter = 0,     // ft / m
    kMaxDiameter = 1,     // ft / m
    kBellRatio = 2,       // base diameter / stem diameter
    kBellAngle = 3,       // degrees
    kTopExclusion = 4,    // ft / m without side resistance at the top
    kBottomExclusion = 5, // ft / m without side resistance at the bottom
    kShaftModulus = 6,    // lb/in^2 / kN/m^2
    kWaterTableDepth = 7, // ft / m
};

class TProgramData {
public:
    static constexpr const char *kNewFileName = "NewVorna.vrd";

    UnitSystem unitSystem = UnitSystem::English;
    QString fileName = QString::fromLatin1(kNewFileName);
    QString title = QStringLiteral("New Pile");
    double outputIncrement = 1.0; // ft / m
    DesignControl designControl = DesignControl::DesignDepth;
    LoadingType loadingType = LoadingType::Compression;
    double upliftFactor = 1.0;
    std::array<double, 8> shaftProperties{};
    double proposedLength = 0.0; // ft / m, used under a given design depth
    double FST = 2.5;            // factor of safety, side
    double FSB = 3.0;            // factor of safety, base
    double designLoad = 0.0;     // tons / kN, used under a given design load
    int KLS = 1;                 // load-settlement curve sets of the current results
    int endBearingOption = 1;    // 1 interpolate to 10 diameters, 0 maximum anywhere
    bool currentLayout = true;   // false after reading an older file, until saved
    DesignMethod designMethod = DesignMethod::AllowableStress;
    bool modified = false;
    // Reading the file stopped early or passed over part of it: saving over it would lose
    // what was not read. Cleared when the project is saved.
    bool readInPart = false;
    // Digest of the file's bytes as the project last read or wrote them, to see a change
    // made by another program since; empty for a project not read from or saved to a file.
    QByteArray fileDigest;

    // A new project with defaults; every table emptied to its minimum rows, in English units.
    static TProgramData CreateNew(ProgramTables &tables);

    // Switches the project and its tables to a unit system.
    void ChangeUnits(UnitSystem system, ProgramTables &tables);

    bool IsModified(const ProgramTables &tables) const;
    // false also clears the tables' modified state.
    void SetModified(bool value, ProgramTables &tables);

    // The project file's third value of record 5 and the design control it implies: a
    // positive proposed length means a given design depth, else a given design load; the
    // unused value is zeroed.
    void ApplyDesignControl();
};

} // namespace vorna
