#pragma once

#include "rendoc/damlhandler.h"

#include <QString>
#include <QXmlAttributes>

#include <initializer_list>
#include <unordered_map>
#include <utility>

class DDocument;
class DItem;

// Writes a report document through the AML handler, element by element, as
// if the markup were read from an XRD file: the document gets the same
// items, styles and limits. Every operation returns false once the handler
// has refused something; its error text then says why.
class QAJUnitDocumentBuilder
{
public:
    // An attribute: its name, a string literal, and its value.
    using Attribute = std::pair<const char *, QString>;

    // The report styles the items take their styles from (not owned), and
    // the size of the input, which bounds the text the handler accepts.
    QAJUnitDocumentBuilder(const QList<DStyle *> &styles, qint64 inputSize);

    // Element names are string literals.
    bool start(const char *element, std::initializer_list<Attribute> attributes = {});
    bool text(const QString &text);
    bool end(const char *element);

    // <NAME style="STYLE">TEXT</NAME>; no style attribute when style is null.
    bool element(const char *element, const QString &style, const QString &text);
    // A paragraph of each line of `text`, in the "Output" style, with leading
    // and repeated blanks kept visible (the view collapses white space) and
    // overlong lines cut into parts; blank lines at both ends are left out.
    bool preformatted(const QString &text);
    // A two-column table, one row per pair.
    bool table(const QList<std::pair<QString, QString>> &rows);

    bool finish();

    // The item of the element last started; the last item linked into the
    // document, after an end tag.
    DItem *currentItem() const { return m_handler.currentItem(); }
    DItem *endPosition() const { return m_handler.endPosition(); }
    QString errorString() const { return m_handler.errorString(); }
    DDocument *takeDocument() { return m_handler.takeDocuments(); }

private:
    bool line(const QString &text);
    // The name as a QString, made once per literal: every element start
    // would otherwise convert its name and attribute names again.
    const QString &name(const char *literal);

    DAmlHandler m_handler;
    QXmlAttributes m_attributes; // reused by every start tag
    std::unordered_map<const char *, QString> m_names;
};
