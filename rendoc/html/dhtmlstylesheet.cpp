#include "rendoc/html/dhtmlstylesheet.h"

#include "rendoc/style/dstyle.h"

#include <QColor>

namespace {

// The styles every page carries; report styles follow as classes s1, s2, ...
const char* const BaseCss =
    "body{margin:0;font:14px/1.45 \"DejaVu Sans\",Arial,Helvetica,sans-serif;color:#202020;"
    "background:#fff}\n"
    ".layout{display:flex;align-items:flex-start}\n"
    "main{flex:1;min-width:0;padding:1rem 2rem;max-width:70rem}\n"
    "nav.outline{order:-1;position:sticky;top:0;flex:0 0 20rem;height:100vh;overflow:auto;"
    "box-sizing:border-box;padding:1rem .75rem;border-right:1px solid #d8d8d8;background:#f7f7f7;"
    "font-size:13px}\n"
    "nav.outline ul{list-style:none;margin:0;padding-left:1rem}\n"
    "nav.outline>ul{padding-left:0}\n"
    "nav.outline summary{cursor:pointer}\n"
    "nav.outline li.l2{padding-left:1em}nav.outline li.l3{padding-left:2em}\n"
    "nav.outline li.l4,nav.outline li.l5,nav.outline li.l6{padding-left:3em}\n"
    "nav.outline a{color:#1a5fb4;text-decoration:none}\n"
    "nav.outline a:hover{text-decoration:underline}\n"
    ".v{display:inline-block;width:1.2em;font-weight:bold}\n"
    ".v.ok{color:#2c8a2c}.v.ko{color:#c62828}.v.ne{color:#b26a00}\n"
    ".type{color:#777;font-size:90%}\n"
    "nav.outline ol.path{list-style:none;margin:0 0 .5em;padding:0}\n"
    "nav.outline ol.path li{display:inline}nav.outline ol.path li+li:before{content:\" \\203A  \"}\n"
    ".filter{margin:0 0 .5em}.filter input[type=search]{width:100%;box-sizing:border-box}\n"
    "a.more:after{content:\" \\203A\";color:#777}\n"
    "p.split{margin:.3em 0;padding:.2em .5em;background:#f2f5fa}\n"
    "p.split:before{display:inline-block;width:1.2em;font-weight:bold;content:\"\\B7\"}\n"
    "p.split.ok:before{content:\"\\2713\";color:#2c8a2c}p.split.ko:before{content:\"\\2717\";color:#c62828}\n"
    "p.split.ne:before{content:\"?\";color:#b26a00}p.split a:after{content:\" \\203A\"}\n"
    "body.failed-only p.split:not(.f){display:none}\n"
    "section.failures{border-left:4px solid #c62828;padding-left:.75em;margin-bottom:1.5em}\n"
    "article.doc{margin-bottom:2rem}\n"
    "h1,h2,h3,h4,h5,h6{margin:1em 0 .4em;line-height:1.25}\n"
    ".num{margin-right:.5em}\n"
    "div.p{margin:.35em 0}\n"
    "a{color:#1a5fb4}\n"
    "table{border-collapse:collapse;margin:.5em 0}\n"
    "td{padding:2px 6px;vertical-align:top}\n"
    "table.b td{border:1px solid #a8a8a8}\n"
    "details.popup{display:inline-block;vertical-align:top}\n"
    "details.popup>summary{color:#1a5fb4;cursor:pointer}\n"
    ".popup-body{border:1px solid #c0c0c0;background:#fffff0;padding:.25em .5em}\n"
    "figure.graphic{margin:.5em 0}\n"
    "figure.graphic figcaption{font-weight:bold}\n"
    ".missing{color:#999;font-style:italic}\n"
    "p.note{margin:0 0 1em;padding:.4em .75em;background:#fff4e5;border-left:4px solid #b26a00}\n"
    ".print-only{display:none}\n"
    ".pagebreak{break-after:page}\n"
    "ul.summary,ul.index{list-style:none;padding-left:0}\n"
    "ul.summary li.l2{padding-left:1.5em}ul.summary li.l3{padding-left:3em}\n"
    "ul.summary li.l4,ul.summary li.l5,ul.summary li.l6{padding-left:4.5em}\n"
    "@media print{nav.outline{display:none}.print-only{display:block}}\n";

// A CSS font family name that cannot leave its quotes or the style element.
QString cssFamily(const QString& family)
{
    QString out;
    for (QChar c : family)
        if (c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-')
            || c == QLatin1Char('_'))
            out += c;
    return out.trimmed();
}

QString cssColor(const QColor& color)
{
    return color.name(QColor::HexRgb);
}

} // namespace

void DHTMLStyleSheet::clear()
{
    m_classes.clear();
    m_styles.clear();
}

void DHTMLStyleSheet::add(const DStyle* style)
{
    if (!style || m_classes.contains(style))
        return;
    m_styles.push_back(style);
    m_classes.insert(style, int(m_styles.size()));
}

QString DHTMLStyleSheet::css() const
{
    QString css = QLatin1String(BaseCss);
    for (size_t i = 0; i < m_styles.size(); ++i)
        css += styleRule(int(i + 1), m_styles[i]);
    return css;
}

QString DHTMLStyleSheet::styleRule(int number, const DStyle* style)
{
    QString css = QStringLiteral(".s%1{").arg(number);
    const QString family = cssFamily(style->family());
    if (!family.isEmpty())
        css += QStringLiteral("font-family:\"%1\";").arg(family);
    if (style->pointSize() > 0 && style->pointSize() < 500)
        css += QStringLiteral("font-size:%1pt;").arg(style->pointSize());
    if (style->bold())
        css += QLatin1String("font-weight:bold;");
    if (style->italic())
        css += QLatin1String("font-style:italic;");
    if (style->underline())
        css += QLatin1String("text-decoration:underline;");
    if (style->foreground().isValid())
        css += QStringLiteral("color:%1;").arg(cssColor(style->foreground()));
    if (style->background().isValid())
        css += QStringLiteral("background:%1;").arg(cssColor(style->background()));
    const Qt::Alignment align = style->alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignRight)
        css += QLatin1String("text-align:right;");
    else if (align & Qt::AlignHCenter)
        css += QLatin1String("text-align:center;");
    else if (align & Qt::AlignJustify)
        css += QLatin1String("text-align:justify;");
    if (style->marginLeft() || style->marginTop() || style->marginRight()
        || style->marginBottom())
        css += QStringLiteral("margin:%1px %2px %3px %4px;")
                   .arg(style->marginTop())
                   .arg(style->marginRight())
                   .arg(style->marginBottom())
                   .arg(style->marginLeft());
    css += QLatin1String("}\n");
    return css;
}
