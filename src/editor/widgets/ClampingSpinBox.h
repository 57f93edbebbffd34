#pragma once

#include <QSpinBox>

// A number box of a fixed range in which any number can be typed: a typed value outside
// the range is replaced by the nearer bound, which the box then shows. The arrow keys and
// buttons stay within the range.
//
// Listen to ValueTaken and ValueBounded, not to valueChanged() (which also reports the
// number as typed, before it is corrected): a window applies a value within the range at
// once and treats a corrected one as its own rules say.
class ClampingSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    ClampingSpinBox(int lowest, int highest, QWidget* parent = nullptr);

    int Lowest() const { return m_lowest; }
    int Highest() const { return m_highest; }
    // Shows the value, brought within the range, without reporting it.
    void ShowValue(int value);

signals:
    // A value within the range, typed or stepped to.
    void ValueTaken(int value);
    // A typed value lay outside the range; the box now shows this bound.
    void ValueBounded(int bound);

protected:
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;

private:
    void OnValueChanged(int value);

    int m_lowest;
    int m_highest;
};
