#include "sdk/qaresxml.h"

#include "sdk/qafileutil.h"
#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <vector>

namespace {

// Nested levels deeper than this are written without further indentation,
// which keeps the text of very deep trees linear in size.
constexpr int MaxIndent = 32;

void indent(QXmlStreamWriter& writer, std::size_t level)
{
    const int spaces = 2 * int(std::min<std::size_t>(level, MaxIndent));
    writer.writeCharacters(QLatin1Char('\n') + QString(spaces, QLatin1Char(' ')));
}

void writeLeaf(QXmlStreamWriter& writer, const QARes* res)
{
    switch (res->kind()) {
    case QARes::String: {
        writer.writeEmptyElement(QStringLiteral("string"));
        writer.writeAttribute(QStringLiteral("tag"), res->tag());
        const QString& value = res->toResString()->value();
        // A missing attribute reads back as a null string.
        if (!value.isNull())
            writer.writeAttribute(QStringLiteral("value"), value);
        break;
    }
    case QARes::Boolean:
        writer.writeEmptyElement(QStringLiteral("boolean"));
        writer.writeAttribute(QStringLiteral("tag"), res->tag());
        writer.writeAttribute(QStringLiteral("value"),
                              res->toResBoolean()->value() ? QStringLiteral("true")
                                                           : QStringLiteral("false"));
        break;
    case QARes::Int:
        writer.writeEmptyElement(QStringLiteral("int"));
        writer.writeAttribute(QStringLiteral("tag"), res->tag());
        writer.writeAttribute(QStringLiteral("value"), QString::number(res->toResInt()->value()));
        break;
    case QARes::RGB: {
        const QAResRGB* rgb = res->toResRGB();
        writer.writeEmptyElement(QStringLiteral("rgb"));
        writer.writeAttribute(QStringLiteral("tag"), res->tag());
        writer.writeAttribute(QStringLiteral("red"), QString::number(rgb->red()));
        writer.writeAttribute(QStringLiteral("green"), QString::number(rgb->green()));
        writer.writeAttribute(QStringLiteral("blue"), QString::number(rgb->blue()));
        break;
    }
    case QARes::Group:
        break;
    }
}

// Builds one resource from a start element; null with `error` set when the
// element is not a resource or its attributes are bad.
QARes* makeResource(const QXmlStreamReader& reader, QString& error)
{
    const QXmlStreamAttributes attrs = reader.attributes();
    if (!attrs.hasAttribute(QStringLiteral("tag"))) {
        error = QAResXml::tr("missing \"tag\" attribute");
        return nullptr;
    }
    const QString tag = attrs.value(QStringLiteral("tag")).toString();
    const auto name = reader.name();

    auto intAttr = [&](const char* attr, int& out) {
        const QString key = QString::fromLatin1(attr);
        if (!attrs.hasAttribute(key)) {
            error = QAResXml::tr("missing \"%1\" attribute").arg(key);
            return false;
        }
        bool ok = false;
        out = attrs.value(key).toString().trimmed().toInt(&ok);
        if (!ok) {
            error = QAResXml::tr("\"%1\" is not an integer").arg(attrs.value(key).toString());
            return false;
        }
        return true;
    };

    if (name == QLatin1String("group"))
        return new QAResGroup(tag);
    if (name == QLatin1String("string")) {
        // Keep an empty value non-null and a missing one null.
        QString value;
        if (attrs.hasAttribute(QStringLiteral("value"))) {
            value = attrs.value(QStringLiteral("value")).toString();
            if (value.isNull())
                value = QLatin1String("");
        }
        return new QAResString(tag, value);
    }
    if (name == QLatin1String("boolean")) {
        const QString value = attrs.value(QStringLiteral("value")).toString();
        if (value == QLatin1String("true") || value == QLatin1String("1"))
            return new QAResBoolean(tag, true);
        if (value == QLatin1String("false") || value == QLatin1String("0"))
            return new QAResBoolean(tag, false);
        error = QAResXml::tr("\"%1\" is not a boolean").arg(value);
        return nullptr;
    }
    if (name == QLatin1String("int")) {
        int value = 0;
        if (!intAttr("value", value))
            return nullptr;
        return new QAResInt(tag, value);
    }
    if (name == QLatin1String("rgb")) {
        int red = 0, green = 0, blue = 0;
        if (!intAttr("red", red) || !intAttr("green", green) || !intAttr("blue", blue))
            return nullptr;
        for (int c : { red, green, blue }) {
            if (c < 0 || c > 255) {
                error = QAResXml::tr("colour component %1 is out of range 0 to 255").arg(c);
                return nullptr;
            }
        }
        return new QAResRGB(tag, red, green, blue);
    }
    error = QAResXml::tr("unknown element <%1>").arg(name.toString());
    return nullptr;
}

} // namespace

QByteArray QAResXml::write(const QARes* root)
{
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.writeStartDocument();
    writer.writeCharacters(QStringLiteral("\n"));
    writer.writeStartElement(QStringLiteral("resources"));
    writer.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));

    // Depth-first walk with an explicit stack of the groups still open.
    std::vector<const QARes*> open;
    const QARes* res = root;
    while (res) {
        indent(writer, open.size() + 1);
        const QARes* done = nullptr;
        if (res->kind() == QARes::Group) {
            writer.writeStartElement(QStringLiteral("group"));
            writer.writeAttribute(QStringLiteral("tag"), res->tag());
            if (res->child()) {
                open.push_back(res);
                res = res->child();
                continue;
            }
            writer.writeEndElement();
        } else {
            writeLeaf(writer, res);
        }
        done = res;
        // Move on to the next sibling, closing groups whose children are
        // all written. The root's own siblings are not part of the tree.
        res = nullptr;
        while (!open.empty()) {
            if (done->next()) {
                res = done->next();
                break;
            }
            done = open.back();
            open.pop_back();
            indent(writer, open.size() + 1);
            writer.writeEndElement();
        }
    }

    writer.writeCharacters(QStringLiteral("\n"));
    writer.writeEndElement();
    writer.writeEndDocument();
    return out;
}

std::unique_ptr<QARes> QAResXml::read(const QByteArray& xml, QString* error)
{
    auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return std::unique_ptr<QARes>();
    };
    if (xml.size() > MaxBytes)
        return fail(tr("The resource file is larger than %1 bytes.").arg(MaxBytes));

    QXmlStreamReader reader(xml);
    std::unique_ptr<QARes> root;
    // Open elements below <resources>: the group for a group element, null
    // for a value element, which may not hold elements.
    std::vector<QAResGroup*> open;
    bool inResources = false;
    bool resourcesDone = false;

    auto at = [&reader](const QString& text) {
        return tr("Line %1: %2").arg(reader.lineNumber()).arg(text);
    };

    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        switch (token) {
        case QXmlStreamReader::DTD:
            return fail(at(tr("document type declarations are not allowed")));
        case QXmlStreamReader::EntityReference:
            return fail(at(tr("entity references are not allowed")));
        case QXmlStreamReader::StartElement: {
            if (!inResources) {
                if (resourcesDone || reader.name() != QLatin1String("resources"))
                    return fail(at(tr("the document is not a resource file")));
                inResources = true;
                break;
            }
            if (open.size() >= std::size_t(MaxDepth))
                return fail(at(tr("resources are nested deeper than %1 levels").arg(MaxDepth)));
            if (!open.empty() && !open.back())
                return fail(at(tr("a value element cannot hold other elements")));
            QString why;
            QARes* res = makeResource(reader, why);
            if (!res)
                return fail(at(why));
            if (open.empty()) {
                if (root) {
                    delete res;
                    return fail(at(tr("more than one resource at the top level")));
                }
                root.reset(res);
            } else {
                open.back()->appendChild(res);
            }
            open.push_back(res->toResGroup());
            break;
        }
        case QXmlStreamReader::EndElement:
            if (open.empty()) {
                inResources = false;
                resourcesDone = true;
            } else {
                open.pop_back();
            }
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return fail(at(reader.errorString()));
    if (!root)
        return fail(tr("The resource file holds no resource."));
    return root;
}

bool QAResXml::writeFile(const QARes* root, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(write(root));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

std::unique_ptr<QARes> QAResXml::readFile(const QString& path, QString* error)
{
    if (const QString refusal = QAFileUtil::readRefusal(path); !refusal.isEmpty()) {
        if (error)
            *error = refusal;
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return nullptr;
    }
    if (file.size() > MaxBytes) {
        if (error)
            *error = tr("The resource file is larger than %1 bytes.").arg(MaxBytes);
        return nullptr;
    }
    return read(file.read(MaxBytes + 1), error);
}
