#include "column.h"

#include "errors.h"
#include "evaluator.h"
#include "grid_table.h"
#include "unit_code.h"

#include <cmath>

namespace vorna {

namespace {

// Whole-number test of typed integer entries: rounding noise of an expression is forgiven.
constexpr long double kIntegerTolerance = 1e-10L;

template <typename T> void insertValues(std::vector<T> &values, int at, int count, const T &value)
{
    values.insert(values.begin() + at, static_cast<std::size_t>(count), value);
}

template <typename T> void eraseValue(std::vector<T> &values, int row)
{
    values.erase(values.begin() + row);
}

} // namespace

// ---- TData

int TData::Row() const
{
    return m_column->RowOf(*this);
}

TGridTable *TData::AsTable() const
{
    return m_column->AsTable(Row());
}

double TData::AsFloat() const
{
    return m_column->AsFloat(Row());
}

int TData::AsInteger() const
{
    return m_column->AsInteger(Row());
}

QString TData::Text() const
{
    return m_column->CellText(Row());
}

void TData::SetFloat(double value)
{
    m_column->SetFloat(Row(), value);
}

void TData::SetInteger(int value)
{
    m_column->SetInteger(Row(), value);
}

// ---- TColumn

TColumn::TColumn(TGridTable &table, QStringList headerLines)
    : m_table(&table), m_headerLines(std::move(headerLines))
{}

TColumn::~TColumn() = default;

TData &TColumn::Cell(int row)
{
    checkRow(row);
    return *m_cells[static_cast<std::size_t>(row)];
}

int TColumn::RowOf(const TData &cell) const
{
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        if (m_cells[i].get() == &cell)
            return static_cast<int>(i);
    }
    return -1;
}

void TColumn::InsertRows(int at, int count)
{
    for (int i = 0; i < count; ++i)
        m_cells.insert(m_cells.begin() + at + i, std::make_unique<TData>(*this));
}

void TColumn::DeleteRow(int row)
{
    m_cells.erase(m_cells.begin() + row);
}

QString TColumn::HeaderLine(int i) const
{
    return m_headerLines.value(i);
}

QStringList TColumn::HeaderLines() const
{
    QStringList lines;
    for (int i = 0; i < HeaderLineCount(); ++i)
        lines.append(HeaderLine(i));
    return lines;
}

TGridTable *TColumn::AsTable(int) const
{
    throw EInvalidCast();
}

double TColumn::AsFloat(int) const
{
    throw EInvalidCast();
}

void TColumn::SetFloat(int, double)
{
    throw EInvalidCast();
}

int TColumn::AsInteger(int) const
{
    throw EInvalidCast();
}

void TColumn::SetInteger(int, int)
{
    throw EInvalidCast();
}

QString TColumn::CellText(int) const
{
    return {};
}

void TColumn::SetCellText(int, const QString &) {}

void TColumn::SetUnits(int) {}

int TColumn::RowGroupSize() const
{
    return m_table->RowGroup();
}

void TColumn::checkRow(int row) const
{
    if (row < 0 || row >= RowCount())
        throw ETableError::indexOutOfBounds();
}

std::pair<int, int> TColumn::writeRange(int row) const
{
    checkRow(row);
    if (!Grouped)
        return {row, row + 1};
    const int group = RowGroupSize();
    const int first = row - row % group;
    return {first, std::min(first + group, RowCount())};
}

void TColumn::notifyChanged(int row)
{
    m_table->ColumnChanged(*this, row);
}

// ---- TEnumColumn

TEnumColumn::TEnumColumn(TGridTable &table, QStringList headerLines, QStringList choices)
    : TColumn(table, std::move(headerLines)), m_choices(std::move(choices))
{}

QString TEnumColumn::ChoiceText(int row) const
{
    return m_choices.value(AsInteger(row) - 1);
}

void TEnumColumn::InsertRows(int at, int count)
{
    insertValues(m_values, at, count, 1);
    TColumn::InsertRows(at, count);
}

void TEnumColumn::DeleteRow(int row)
{
    checkRow(row);
    eraseValue(m_values, row);
    TColumn::DeleteRow(row);
}

int TEnumColumn::AsInteger(int row) const
{
    checkRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TEnumColumn::SetInteger(int row, int value)
{
    const auto [first, last] = writeRange(row);
    if (value < 1 || value > m_choices.size())
        throw EAssignError::choiceOutOfRange(static_cast<int>(m_choices.size()));
    for (int r = first; r < last; ++r) {
        int &stored = m_values[static_cast<std::size_t>(r)];
        if (stored == value)
            continue;
        stored = value;
        notifyChanged(r);
    }
}

QString TEnumColumn::CellText(int row) const
{
    return QString::number(AsInteger(row));
}

void TEnumColumn::SetCellText(int row, const QString &text)
{
    checkRow(row);
    const long double value = Evaluate(text);
    const long double rounded = std::nearbyint(value);
    if (std::fabs(value - rounded) > kIntegerTolerance || rounded < INT_MIN || rounded > INT_MAX)
        throw EAssignError::choiceNotInteger();
    SetInteger(row, static_cast<int>(rounded));
}

std::unique_ptr<TColumn> TEnumColumn::Clone(TGridTable &table) const
{
    auto copy = std::make_unique<TEnumColumn>(table, DefinedHeaderLines(), m_choices);
    copy->Visible = Visible;
    return copy;
}

// ---- TIntColumn

TIntColumn::TIntColumn(TGridTable &table, QStringList headerLines, int defaultValue, int minimum,
                       int maximum)
    : TColumn(table, std::move(headerLines)), m_default(defaultValue), m_min(minimum),
      m_max(maximum)
{}

void TIntColumn::InsertRows(int at, int count)
{
    insertValues(m_values, at, count, m_default);
    TColumn::InsertRows(at, count);
}

void TIntColumn::DeleteRow(int row)
{
    checkRow(row);
    eraseValue(m_values, row);
    TColumn::DeleteRow(row);
}

int TIntColumn::AsInteger(int row) const
{
    checkRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TIntColumn::SetInteger(int row, int value)
{
    const auto [first, last] = writeRange(row);
    for (int r = first; r < last; ++r) {
        int &stored = m_values[static_cast<std::size_t>(r)];
        if (stored == value)
            continue;
        stored = value;
        notifyChanged(r);
    }
}

QString TIntColumn::CellText(int row) const
{
    return QString::number(AsInteger(row));
}

void TIntColumn::SetCellText(int row, const QString &text)
{
    checkRow(row);
    const long double value = Evaluate(text);
    const long double rounded = std::nearbyint(value);
    if (std::fabs(value - rounded) > kIntegerTolerance)
        throw EAssignError::entryNotInteger();
    if (rounded < m_min || rounded > m_max)
        throw EAssignError::entryOutOfRange(m_min, m_max);
    SetInteger(row, static_cast<int>(rounded));
}

std::unique_ptr<TColumn> TIntColumn::Clone(TGridTable &table) const
{
    auto copy = std::make_unique<TIntColumn>(table, DefinedHeaderLines(), m_default, m_min, m_max);
    copy->Visible = Visible;
    return copy;
}

// ---- TFloatColumn

TFloatColumn::TFloatColumn(TGridTable &table, QStringList headerLines, QString units,
                           double defaultValue, bool topDepth)
    : TColumn(table, std::move(headerLines)), m_units(std::move(units)), m_default(defaultValue),
      m_topDepth(topDepth)
{}

TFloatColumn *TFloatColumn::bottomColumn() const
{
    if (!m_topDepth)
        return nullptr;
    const int next = Table().IndexOf(*this) + 1;
    if (next >= Table().ColumnCount())
        return nullptr;
    auto *bottom = dynamic_cast<TFloatColumn *>(&Table().Column(next));
    if (!bottom)
        throw ETableError::topDepthWithoutBottom();
    return bottom;
}

TFloatColumn *TFloatColumn::topColumn() const
{
    const int previous = Table().IndexOf(*this) - 1;
    if (previous < 0)
        return nullptr;
    auto *top = dynamic_cast<TFloatColumn *>(&Table().Column(previous));
    return top && top->m_topDepth ? top : nullptr;
}

// A new row's top depth is the bottom depth of the row above, and its bottom depth the
// top depth of the row below. The top column is filled first, so the bottom column sees
// the rows of the top column already in place.
void TFloatColumn::InsertRows(int at, int count)
{
    double value = m_default;
    if (const TFloatColumn *bottom = bottomColumn(); bottom && at > 0 && at <= bottom->RowCount())
        value = bottom->AsFloat(at - 1);
    if (const TFloatColumn *top = topColumn(); top && at + count < top->RowCount())
        value = top->AsFloat(at + count);
    insertValues(m_values, at, count, value);
    TColumn::InsertRows(at, count);
}

// Deleting a middle row closes the gap: the row below starts where the row above ends.
void TFloatColumn::DeleteRow(int row)
{
    checkRow(row);
    const int lastRow = RowCount() - 1;
    eraseValue(m_values, row);
    TColumn::DeleteRow(row);
    const TFloatColumn *bottom = bottomColumn();
    if (bottom && row > 0 && row < lastRow)
        StoreFloat(row, bottom->AsFloat(row - 1));
}

QString TFloatColumn::HeaderLine(int i) const
{
    const QString line = TColumn::HeaderLine(i);
    if (m_units.isEmpty() || i != HeaderLineCount() - 1)
        return line;
    return QStringLiteral("%1 (%2)  ").arg(line, unitText(m_units, Table().UnitSystem()));
}

double TFloatColumn::AsFloat(int row) const
{
    checkRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TFloatColumn::StoreFloat(int row, double value)
{
    const auto [first, last] = writeRange(row);
    for (int r = first; r < last; ++r) {
        double &stored = m_values[static_cast<std::size_t>(r)];
        if (stored == value)
            continue;
        stored = value;
        notifyChanged(r);
    }
}

void TFloatColumn::SetFloat(int row, double value)
{
    StoreFloat(row, value);
    if (m_topDepth) {
        TFloatColumn *bottom = bottomColumn();
        if (!bottom)
            throw ETableError::topDepthWithoutBottom();
        if (row > 0)
            bottom->StoreFloat(row - 1, value);
    }
    if (TFloatColumn *top = topColumn(); top && row + 1 < top->RowCount())
        top->StoreFloat(row + 1, value);
}

QString TFloatColumn::CellText(int row) const
{
    return generalText(AsFloat(row), 8);
}

void TFloatColumn::SetCellText(int row, const QString &text)
{
    checkRow(row);
    const auto value = static_cast<double>(Evaluate(text));
    if (!std::isfinite(value)) // finite in extended precision but not as a stored real
        throw EAssignError::evaluation(EAssignError::Fault::TooLarge);
    SetFloat(row, value);
}

void TFloatColumn::SetUnits(int system)
{
    const double factor = unitConversion(m_units, Table().UnitSystem(), system);
    for (int r = 0; r < RowCount(); ++r) {
        m_values[static_cast<std::size_t>(r)] *= factor;
        notifyChanged(r);
    }
}

std::unique_ptr<TColumn> TFloatColumn::Clone(TGridTable &table) const
{
    auto copy =
        std::make_unique<TFloatColumn>(table, DefinedHeaderLines(), m_units, m_default, m_topDepth);
    copy->Visible = Visible;
    return copy;
}

// ---- TStringColumn

TStringColumn::TStringColumn(TGridTable &table, QStringList headerLines, QString defaultText,
                             double widthIn)
    : TColumn(table, std::move(headerLines)), m_default(std::move(defaultText)), m_widthIn(widthIn)
{}

void TStringColumn::InsertRows(int at, int count)
{
    insertValues(m_values, at, count, m_default);
    TColumn::InsertRows(at, count);
}

void TStringColumn::DeleteRow(int row)
{
    checkRow(row);
    eraseValue(m_values, row);
    TColumn::DeleteRow(row);
}

QString TStringColumn::CellText(int row) const
{
    checkRow(row);
    return m_values[static_cast<std::size_t>(row)];
}

void TStringColumn::SetCellText(int row, const QString &text)
{
    const auto [first, last] = writeRange(row);
    for (int r = first; r < last; ++r) {
        QString &stored = m_values[static_cast<std::size_t>(r)];
        if (stored == text)
            continue;
        stored = text;
        notifyChanged(r);
    }
}

std::unique_ptr<TColumn> TStringColumn::Clone(TGridTable &table) const
{
    auto copy = std::make_unique<TStringColumn>(table, DefinedHeaderLines(), m_default, m_widthIn);
    copy->Visible = Visible;
    return copy;
}

} // namespace vorna
