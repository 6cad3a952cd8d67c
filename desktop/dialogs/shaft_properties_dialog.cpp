#include "shaft_properties_dialog.h"

#include "data_edit.h"
#include "jpeg_picture.h"
#include "program_data.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace vorna {

namespace {

struct ShaftField {
    ShaftProperty property;
    const char *caption;
    const char *unitCode;
    double maximum; // < 0: no limit
    const char *note;
    const char *hint;
};

const ShaftField kShaftFields[] = {
    {kMinDiameter, "Minimum Shaft Diameter, B, to be Considered", "L2", 30, "",
     "Practical minimum value is 2 ft or 0.6 m"},
    {kMaxDiameter, "Maximum Shaft Diameter, B, to be Considered", "L2", 30,
     "(Enter 0 if same as minimum)", "Practical maximum is 12 ft or 3.6 m"},
    {kBellRatio, "&Ratio of Base Diameter to Shaft Diameter,  Bb/B", "", 10,
     "(Enter 0 for straight shaft)", "Usual value for belled shafts is 3"},
    {kBellAngle, "&Angle of Bell with Respect to Vertical,  Ang ", "deg", 90,
     "(Enter 0 for straight shaft)", "Usual value for belled shafts is 45 degrees"},
    {kTopExclusion, "Length of &Upper Exclusion Zone without Skin Friction, Lue", "L2", -1, "", ""},
    {kBottomExclusion, "Length of Bottom Portion of Shaft without Skin Friction, Lle", "L2", 100,
     "", "From top of bell for belled shafts or from base for straight shafts"},
    {kShaftModulus, "&Modulus of Elasticity of Drilled Shaft ", "F/L\u00b2", 300000000, "", ""},
};

} // namespace

const char *const TfrmShaftProperties::kPictureFile = ":/pictures/drilled_shaft.jpg";

QString TfrmShaftProperties::explanation()
{
    // Stored over lines as the text was laid out; each sentence is one paragraph.
    return QStringLiteral(
        "Shaft diameter, B, is automatically incremented in 6-inch or 0.15 m increments between "
        "the specified minimum "
        "and maximum diameters.\n"
        "\n"
        "For shafts in cohesive soils, the upper exclusion zone, Lue, is used to eliminate side "
        "resistance lost due to "
        "desiccation cracking and the lower exclusion zone, Lle, is used to account for side "
        "resistance lost due to "
        "horizontal stress loss under loading.  \n"
        "\n"
        "For shafts in cohesive soils, a lower exclusion zone for side resistance is usually not "
        "reccomended for uplift "
        "loading. \n"
        "\n"
        "No exclusion zones are recommended for shafts in cohesionless soils.\n"
        "\n"
        "Bells should not be specified for shafts in cohesionless soils or rock.");
}

TfrmShaftProperties::TfrmShaftProperties(TProgramData &project, QWidget *parent,
                                         const QString &pictureFile)
    : TDataDialog(project, QStringLiteral("Drilled-Shaft Properties"), parent)
{
    // A note stands under its field rather than beside it, so that the dialog stays narrow
    // enough for a small screen.
    auto *grid = new QGridLayout;
    int row = 0;
    for (const ShaftField &f : kShaftFields) {
        addField(grid, row++, QString::fromUtf8(f.caption), QString::fromUtf8(f.unitCode),
                 f.maximum, true, QString(), QString::fromUtf8(f.hint));
        if (*f.note == '\0')
            continue;
        auto *note = new QLabel(QString::fromUtf8(f.note), this);
        note->setIndent(fontMetrics().averageCharWidth() * 3);
        grid->addWidget(note, row++, 0, 1, 2);
    }

    auto *text = new QLabel(explanation(), this);
    text->setWordWrap(true);
    text->setFrameShape(QFrame::StyledPanel);
    text->setMargin(6);

    auto *right = new QVBoxLayout;
    right->addLayout(grid);
    right->addSpacing(8);
    right->addWidget(text);
    right->addStretch();

    auto *layout = new QHBoxLayout(this);
    const QImage picture = loadJpegFile(pictureFile);
    m_hasPicture = !picture.isNull();
    if (m_hasPicture) {
        auto *image = new QLabel(this);
        image->setPixmap(QPixmap::fromImage(picture));
        image->setFrameShape(QFrame::StyledPanel);
        image->setAlignment(Qt::AlignTop);
        layout->addWidget(image, 0, Qt::AlignTop);
    }
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    text->setFixedWidth(grid->sizeHint().width());
    refresh();
}

void TfrmShaftProperties::loadFields()
{
    for (std::size_t i = 0; i < std::size(kShaftFields); ++i)
        fields()[static_cast<int>(i)]->SetNumber(
            project().shaftProperties[kShaftFields[i].property]);
}

void TfrmShaftProperties::storeFields()
{
    for (std::size_t i = 0; i < std::size(kShaftFields); ++i)
        assign(project().shaftProperties[kShaftFields[i].property],
               valueOf(fields()[static_cast<int>(i)]));
}

} // namespace vorna
