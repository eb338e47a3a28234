#pragma once

#include "rendoc/aml/damlattributes.h"

#include <QColor>
#include <QHash>
#include <QString>

#include <functional>

// Reads the typed attribute values of AML elements: integers in a range, finite reals, booleans,
// colours (written as #rrggbb, or by a name the file defined), alignments and required texts.
// A missing required attribute or a bad value is reported through the handler's fail function
// and the read returns false, so that reads chain with ||. A missing optional attribute leaves
// the value as it was: callers set the default first.
class DAmlValueReader
{
public:
    // `fail` records the error text and returns false; `line` is where the parser is.
    DAmlValueReader(std::function<bool(const QString&)> fail, std::function<int()> line);

    // Colours defined in the file, for readColor with allowNames; not owned.
    void setNamedColors(const QHash<QString, QColor>* colors) { m_colors = colors; }

    bool required(const DAmlAttributes& atts, const char* attr, const QString& qName,
                  QString* value) const;
    bool readInt(const DAmlAttributes& atts, const char* attr, const QString& qName, int minimum,
                 int maximum, int* value) const;
    bool readReal(const DAmlAttributes& atts, const char* attr, const QString& qName,
                  double* value) const;
    bool readBool(const DAmlAttributes& atts, const char* attr, const QString& qName,
                  bool* value) const;
    bool readColor(const DAmlAttributes& atts, const char* attr, const QString& qName,
                   bool allowNames, QColor* value) const;
    bool readAlignment(const DAmlAttributes& atts, const QString& qName,
                       Qt::Alignment* alignment) const;
    bool badValue(const QString& value, const char* attr, const QString& qName) const;
    // Reads UTF-8 made of one to nine ASCII digits and nothing else, which every reading of
    // the value as a decimal integer accepts alike; false for anything else, which the caller
    // reads as text.
    static bool readDigits(QByteArrayView utf8, int* value);
    bool fail(const QString& text) const { return m_fail(text); }
    int lineNumber() const { return m_line(); }

private:
    std::function<bool(const QString&)> m_fail;
    std::function<int()> m_line;
    const QHash<QString, QColor>* m_colors = nullptr;
};
