#pragma once

#include <QString>

class DItem;

// Prints an item tree as indented text, for tests and diagnostics. One line per item, ending
// with '\n', indented by two spaces per depth below the first item. A line holds the kind name
// (without the D prefix) and the kind's fields:
//
//   Document title="T" name="n"         Section name="s"
//   Title level=1 number="1.2"          Header / Footer / PageBreak / Paragraph / Row
//   Text "hello"                        Image src="a.png" width=10 height=20
//   List ordered=true                   Link target="::X"
//   Tag name="T12"                      Table border=2 widths=0.5,0.1
//   Cell hspan=1 vspan=0                CellText "x" hspan=1 vspan=0
//   TagPointer name="t" resolved=yes    PopupLink target="p"
//   Popup name="p"                      Summary titles=2
//   SEntry "1 Intro" level=1 target=no  Index entries=3
//   IEntry "t" target=yes               Graphic title="g"
//   Axis orientation=horizontal label="x" min=0 max=10
//   Curve name="c"                      Point x=1.5 y=2
//
// Strings are quoted with \" \\ \n \r \t escaped; a null string prints as <null> (an empty one
// as ""). Numbers print as QString::number does. Then, when the item has a style: style="name"
// (the DStyle's name); else, when it has only a style name: styleName="name". Widths that are
// empty print as widths=. The walk is iterative.
class DTreePrinter
{
public:
    // Prints item and its subtree; with siblings, also the items following it and theirs.
    static QString print(const DItem* item, bool withSiblings = false);
    // The line of one item, without indentation or newline.
    static QString line(const DItem* item);
};
