#include "editor/widgets/ClampingSpinBox.h"

#include <QSignalBlocker>
#include <algorithm>

namespace {

// What may be typed: far wider than any range the program uses, so that the box never
// refuses a keystroke and only corrects the number when it is complete.
constexpr int kTypedLowest = -9999;
constexpr int kTypedHighest = 99999;

} // namespace

ClampingSpinBox::ClampingSpinBox(int lowest, int highest, QWidget* parent)
    : QSpinBox(parent)
    , m_lowest(lowest)
    , m_highest(highest)
{
    setRange(std::min(kTypedLowest, lowest), std::max(kTypedHighest, highest));
    ShowValue(lowest);
    connect(this, &QSpinBox::valueChanged, this, &ClampingSpinBox::OnValueChanged);
}

void ClampingSpinBox::ShowValue(int value)
{
    const QSignalBlocker quiet(this);
    setValue(std::clamp(value, m_lowest, m_highest));
}

void ClampingSpinBox::OnValueChanged(int value)
{
    if (value >= m_lowest && value <= m_highest) {
        emit ValueTaken(value);
        return;
    }
    const int bound = value < m_lowest ? m_lowest : m_highest;
    ShowValue(bound);
    emit ValueBounded(bound);
}

void ClampingSpinBox::stepBy(int steps)
{
    const int stepped = std::clamp(value() + steps * singleStep(), m_lowest, m_highest);
    if (stepped != value())
        setValue(stepped);
}

QAbstractSpinBox::StepEnabled ClampingSpinBox::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (value() > m_lowest)
        enabled |= StepDownEnabled;
    if (value() < m_highest)
        enabled |= StepUpEnabled;
    return enabled;
}
