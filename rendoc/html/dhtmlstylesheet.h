#pragma once

#include <QHash>
#include <QString>

#include <vector>

class DStyle;

// The CSS block of one page: the base rules every page carries, then one class per report
// style in use (s1, s2, ... in order of first use). Style values are written only in forms
// that cannot leave their declaration or the style element.
class DHTMLStyleSheet
{
public:
    void clear();
    // Gives style a class if it has none yet.
    void add(const DStyle* style);
    // The class number of style (0: none, no class attribute).
    int classOf(const DStyle* style) const { return style ? m_classes.value(style) : 0; }
    // The whole CSS text: base rules and the style classes.
    QString css() const;

private:
    static QString styleRule(int number, const DStyle* style);

    QHash<const DStyle*, int> m_classes;
    std::vector<const DStyle*> m_styles;
};
