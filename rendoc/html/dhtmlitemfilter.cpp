#include "rendoc/html/dhtmlitemfilter.h"

void DHTMLItemFilter::reset(qsizetype expected)
{
    // 16 bits per item, rounded up to a power of two, at least one word.
    int bits = 6;
    while (bits < 40 && (qint64(1) << bits) < 16 * qMax<qint64>(1, expected))
        ++bits;
    m_shift = 64 - bits;
    m_bits.assign(size_t(1) << (bits - 6), 0);
}
