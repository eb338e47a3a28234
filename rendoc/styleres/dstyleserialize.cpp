#include "rendoc/styleres/dstyleserialize.h"

#include "rendoc/style/dstyle.h"
#include "sdk/qaresboolean.h"
#include "sdk/qaresgroup.h"
#include "sdk/qaresint.h"
#include "sdk/qaresrgb.h"
#include "sdk/qaresstring.h"

#include <QtGlobal>

namespace {

QAResRGB* rgbResource(const char* tag, const QColor& color)
{
    return new QAResRGB(QString::fromLatin1(tag), color.red(), color.green(), color.blue());
}

QColor colorOf(const QAResRGB* rgb)
{
    return QColor(
        qBound(0, rgb->red(), 255), qBound(0, rgb->green(), 255), qBound(0, rgb->blue(), 255));
}

} // namespace

QAResGroup* DStyleSerialize::styleToResources(const char* tag, DStyle* style)
{
    auto* group = new QAResGroup(QString::fromLatin1(tag ? tag : "style"));
    if (!style)
        return group;
    group->appendChild(new QAResString(QStringLiteral("name"), style->name()));
    group->appendChild(new QAResString(QStringLiteral("family"), style->family()));
    group->appendChild(new QAResInt(QStringLiteral("size"), style->pointSize()));
    group->appendChild(new QAResBoolean(QStringLiteral("bold"), style->bold()));
    group->appendChild(new QAResBoolean(QStringLiteral("italic"), style->italic()));
    group->appendChild(new QAResBoolean(QStringLiteral("underline"), style->underline()));
    group->appendChild(rgbResource("color", style->foreground()));
    // A missing child leaves a field unchanged when read back, so a style without background
    // says so explicitly: otherwise a stored "none" could not override a file's background.
    if (style->background().isValid())
        group->appendChild(rgbResource("background", style->background()));
    else
        group->appendChild(new QAResBoolean(QStringLiteral("nobackground"), true));
    group->appendChild(new QAResInt(QStringLiteral("align"), int(style->alignment())));
    group->appendChild(new QAResInt(QStringLiteral("margintop"), style->marginTop()));
    group->appendChild(new QAResInt(QStringLiteral("marginbottom"), style->marginBottom()));
    group->appendChild(new QAResInt(QStringLiteral("marginleft"), style->marginLeft()));
    group->appendChild(new QAResInt(QStringLiteral("marginright"), style->marginRight()));
    return group;
}

void DStyleSerialize::styleFromResources(QAResGroup* group, DStyle* style)
{
    if (!group || !style)
        return;
    for (QARes* res = group->firstChild(); res; res = res->next()) {
        if (const QAResString* s = res->toResString()) {
            if (s->isTag("family"))
                style->setFamily(s->value());
        } else if (const QAResInt* i = res->toResInt()) {
            const int value = i->value();
            if (i->isTag("size"))
                style->setPointSize(qMax(0, value));
            else if (i->isTag("align"))
                style->setAlignment(Qt::Alignment(value));
            else if (i->isTag("margintop"))
                style->setMarginTop(qMax(0, value));
            else if (i->isTag("marginbottom"))
                style->setMarginBottom(qMax(0, value));
            else if (i->isTag("marginleft"))
                style->setMarginLeft(qMax(0, value));
            else if (i->isTag("marginright"))
                style->setMarginRight(qMax(0, value));
        } else if (const QAResBoolean* b = res->toResBoolean()) {
            if (b->isTag("bold"))
                style->setBold(b->value());
            else if (b->isTag("italic"))
                style->setItalic(b->value());
            else if (b->isTag("underline"))
                style->setUnderline(b->value());
            else if (b->isTag("nobackground") && b->value())
                style->setBackground(QColor());
        } else if (const QAResRGB* rgb = res->toResRGB()) {
            if (rgb->isTag("color"))
                style->setForeground(colorOf(rgb));
            else if (rgb->isTag("background"))
                style->setBackground(colorOf(rgb));
        }
    }
}
