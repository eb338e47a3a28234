#include "korvatreporter/data/qareportertext.h"

namespace {

// The texts made last on this thread, replaced round robin. Only short texts are kept, so the
// few kept alive after their report closed cost little.
struct RecentReporterTexts
{
    static constexpr int Size = 8;
    static constexpr qsizetype MaxLength = 64;
    QAReporterText texts[Size];
    int next = 0;
};

thread_local RecentReporterTexts recentReporterTexts;

} // namespace

QAReporterText::QAReporterText(const QString &text)
{
    if (text.isNull())
        return;
    const bool remembered = text.size() <= RecentReporterTexts::MaxLength;
    if (remembered) {
        for (const QAReporterText &recent : recentReporterTexts.texts) {
            if (recent.m_box && recent.m_box->text == text) {
                m_box = recent.m_box;
                retain();
                return;
            }
        }
    }
    m_box = new Box{{1}, text};
    if (remembered) {
        RecentReporterTexts &recent = recentReporterTexts;
        recent.texts[recent.next] = *this;
        recent.next = (recent.next + 1) % RecentReporterTexts::Size;
    }
}

const QString &QAReporterText::nullText()
{
    static const QString none;
    return none;
}

void QAReporterText::release() noexcept
{
    if (m_box && m_box->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete m_box;
    m_box = nullptr;
}
