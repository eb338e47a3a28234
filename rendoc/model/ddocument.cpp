#include "rendoc/model/ddocument.h"

#include "rendoc/style/dcolor.h"
#include "rendoc/style/dfont.h"
#include "rendoc/style/dstyle.h"

namespace {

template <typename T>
QList<T*> rawList(const std::vector<std::unique_ptr<T>>& owned)
{
    QList<T*> list;
    list.reserve(static_cast<qsizetype>(owned.size()));
    for (const auto& entry : owned)
        list.append(entry.get());
    return list;
}

template <typename T>
T* findByName(const std::vector<std::unique_ptr<T>>& owned, const QString& name)
{
    for (const auto& entry : owned) {
        if (entry->name() == name)
            return entry.get();
    }
    return nullptr;
}

template <typename T>
void deepCopy(const std::vector<std::unique_ptr<T>>& from, std::vector<std::unique_ptr<T>>& to)
{
    to.reserve(from.size());
    for (const auto& entry : from)
        to.push_back(std::make_unique<T>(*entry));
}

} // namespace

DDocument::DDocument(const QString& title, const QString& name, DItemContainer* parent,
                     DItem* next)
    : DItemContainer(DItem::Document, parent, next), m_title(title), m_name(name)
{
}

DDocument::DDocument(const DDocument& other)
    : DItemContainer(other), m_title(other.m_title), m_name(other.m_name)
{
    deepCopy(other.m_colors, m_colors);
    deepCopy(other.m_fonts, m_fonts);
    deepCopy(other.m_styles, m_styles);
}

DDocument::~DDocument()
{
    // A top-level document owns the documents chained after it; inside a container the
    // chain belongs to the container.
    if (!parent()) {
        DItem* following = next();
        setNext(nullptr);
        deleteChain(following);
    }
}

void DDocument::addColor(std::unique_ptr<DColor> color)
{
    if (color)
        m_colors.push_back(std::move(color));
}

void DDocument::addFont(std::unique_ptr<DFont> font)
{
    if (font)
        m_fonts.push_back(std::move(font));
}

void DDocument::addStyle(std::unique_ptr<DStyle> style)
{
    if (style)
        m_styles.push_back(std::move(style));
}

QList<DColor*> DDocument::colors() const
{
    return rawList(m_colors);
}

QList<DFont*> DDocument::fonts() const
{
    return rawList(m_fonts);
}

QList<DStyle*> DDocument::styles() const
{
    return rawList(m_styles);
}

DColor* DDocument::findColor(const QString& name) const
{
    return findByName(m_colors, name);
}

DFont* DDocument::findFont(const QString& name) const
{
    return findByName(m_fonts, name);
}

DStyle* DDocument::findStyle(const QString& name) const
{
    return findByName(m_styles, name);
}
