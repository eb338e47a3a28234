#include "rendoc/aml/damlvaluereader.h"

#include <QCoreApplication>

#include <cmath>
#include <utility>

DAmlValueReader::DAmlValueReader(std::function<bool(const QString&)> fail,
                                 std::function<int()> line)
    : m_fail(std::move(fail)), m_line(std::move(line))
{
}

bool DAmlValueReader::badValue(const QString& value, const char* attr, const QString& qName) const
{
    return m_fail(
        QCoreApplication::translate(
            "DAmlHandler", "AML, bad value \"%1\" for attribute \"%2\" of \"%3\" at line %4.\n")
            .arg(value, QLatin1String(attr), qName)
            .arg(m_line()));
}

bool DAmlValueReader::readDigits(QByteArrayView utf8, int* value)
{
    if (utf8.isEmpty() || utf8.size() > 9)
        return false;
    int n = 0;
    for (const char c : utf8) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    *value = n;
    return true;
}

bool DAmlValueReader::required(const DAmlAttributes& atts, const char* attr, const QString& qName,
                               QString* value) const
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0) {
        return m_fail(QCoreApplication::translate(
                          "DAmlHandler", "AML, element \"%1\" needs attribute \"%2\" at line %3.\n")
                          .arg(qName, QLatin1String(attr))
                          .arg(m_line()));
    }
    *value = atts.value(index);
    return true;
}

bool DAmlValueReader::readInt(const DAmlAttributes& atts, const char* attr, const QString& qName,
                              int minimum, int maximum, int* value) const
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    int n = 0;
    if (readDigits(atts.utf8Value(index), &n) && n >= minimum && n <= maximum) {
        *value = n;
        return true;
    }
    const QString text = atts.value(index);
    bool ok = false;
    n = text.toInt(&ok, 10);
    if (!ok || n < minimum || n > maximum)
        return badValue(text, attr, qName);
    *value = n;
    return true;
}

bool DAmlValueReader::readReal(const DAmlAttributes& atts, const char* attr, const QString& qName,
                               double* value) const
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    bool ok = false;
    const double d = text.toDouble(&ok);
    // Infinities and NaN would poison every computation that scales a graphic.
    if (!ok || !std::isfinite(d))
        return badValue(text, attr, qName);
    *value = d;
    return true;
}

bool DAmlValueReader::readBool(const DAmlAttributes& atts, const char* attr, const QString& qName,
                               bool* value) const
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    auto is = [&text](const char* word) {
        return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    };
    if (is("true") || is("yes") || is("1"))
        *value = true;
    else if (is("false") || is("no") || is("0"))
        *value = false;
    else
        return badValue(text, attr, qName);
    return true;
}

bool DAmlValueReader::readColor(const DAmlAttributes& atts, const char* attr, const QString& qName,
                                bool allowNames, QColor* value) const
{
    const int index = atts.index(QLatin1String(attr));
    if (index < 0)
        return true;
    const QString text = atts.value(index);
    if (text.size() == 7 && text.at(0) == QLatin1Char('#')) {
        bool hex = true;
        for (int i = 1; i < 7 && hex; ++i) {
            const char16_t u = text.at(i).unicode();
            hex = (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
        }
        if (hex) {
            const uint rgb = QStringView(text).mid(1).toUInt(nullptr, 16);
            *value = QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
            return true;
        }
    }
    if (allowNames && m_colors) {
        const auto found = m_colors->constFind(text);
        if (found != m_colors->constEnd()) {
            *value = found.value();
            return true;
        }
    }
    return badValue(text, attr, qName);
}

bool DAmlValueReader::readAlignment(const DAmlAttributes& atts, const QString& qName,
                                    Qt::Alignment* alignment) const
{
    const int index = atts.index(QLatin1String("align"));
    if (index < 0)
        return true;
    const QString value = atts.value(index);
    if (value == QLatin1String("left"))
        *alignment = Qt::AlignLeft;
    else if (value == QLatin1String("right"))
        *alignment = Qt::AlignRight;
    else if (value == QLatin1String("center"))
        *alignment = Qt::AlignHCenter;
    else if (value == QLatin1String("justify"))
        *alignment = Qt::AlignJustify;
    else
        return badValue(value, "align", qName);
    return true;
}
