#pragma once

class DStyle;
class QAResGroup;

// Converts a style to a resource group and back, so that styles can be stored in the host's
// resource tree. The group holds the string "name" first, then "family" (string), "size" (int),
// "bold", "italic", "underline" (booleans), "color" (RGB), "background" (RGB, only when the
// style paints one; otherwise the boolean "nobackground"), "align" (int, Qt::Alignment bits)
// and "margintop", "marginbottom", "marginleft", "marginright" (ints).
class DStyleSerialize
{
public:
    // A new group tagged tag ("style" when null) describing style; the caller owns it.
    static QAResGroup* styleToResources(const char* tag, DStyle* style);
    // Updates style from a group made by styleToResources. Children that are missing, or whose
    // resource kind does not fit their tag, leave the style's field unchanged; "name" is not
    // read, since the caller picks the group by name.
    static void styleFromResources(QAResGroup* group, DStyle* style);
};
