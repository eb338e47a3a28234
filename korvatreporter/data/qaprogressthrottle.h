#pragma once

#include <QElapsedTimer>

// Decides when a reader tells the host's progress display a new value. A
// report has a million tags (or a hundred thousand cases), and a modal
// display handles events on every call, which would cost more than the
// parse: the display hears of a value only when it moves by a whole percent,
// and at most MaxPerSecond times a second. Reading the clock on every step
// costs more than the rest of the step, so once it said "too early" the next
// ClockSkip steps do not ask it again.
class QAProgressThrottle
{
public:
    static constexpr int MaxPerSecond = 30;
    static constexpr int ClockSkip = 256;

    // Whether `value`, one of `steps` (none when steps is 0 or less: every
    // value is then -1, which the first call shows), is to be told now; when
    // it is, it becomes the value told last.
    bool due(int value, int steps);
    // Whether any value was told since the last reset, and the last one.
    bool told() const { return m_told; }
    int toldValue() const { return m_toldValue; }
    // Records `value` as told without asking (a final step shown regardless).
    void setTold(int value) { m_toldValue = value; }
    void reset();

private:
    int m_toldValue = 0;
    int m_toldPercent = 0;
    bool m_told = false;
    int m_clockSkip = 0;
    QElapsedTimer m_sinceTold;
};
