#pragma once

#include <QList>
#include <QMap>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class DDocument;
class DRendocView;
class DStyle;
class QAColorButton;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QFormLayout;
class QGroupBox;
class QListWidget;
class QSpinBox;

// An editor for a list of report styles: the styles by their displayed names on the left,
// every property of the chosen style beside them (font family, size, bold, italic, underline,
// text and background colours, alignment, the four margins), and below a preview document
// rendered with the edited styles, which follows every edit.
//
// initVal() takes copies of the given styles; the edits stay in those copies until
// updateStyles() writes them into the styles of the list that initVal() was given. The view
// keeps plain pointers to those styles: their owner keeps them alive while the view exists, or
// calls initVal() again before freeing them.
class DStyleView : public QWidget
{
    Q_OBJECT
public:
    // styleNames: the styles offered, in that order (an empty list offers every style given to
    // initVal()). readOnly shows the styles without letting the user change them. flags are
    // the widget's window flags.
    explicit DStyleView(const QStringList& styleNames, QWidget* parent = nullptr,
                        const char* name = nullptr, bool readOnly = false,
                        unsigned int flags = 0);
    ~DStyleView() override;

    // Which styles are offered, as in the constructor; takes effect at the next initVal().
    void setStyleNames(const QStringList& styleNames);
    QStringList styleNames() const { return m_styleNames; }
    // Style name to displayed name; a name without an entry shows as it is.
    void setStyleNameTranslation(const QMap<QString, QString>& translation);

    // Shows copies of styles (not owned; see the class comment) and drops all edits.
    void initVal(const QList<DStyle*>& styles);
    // Writes the edits into the styles given to initVal().
    void updateStyles();

    // The name of the style being edited, null when there is none.
    QString currentStyleName() const;
    // Chooses the style of that name; returns false when it is not offered.
    bool setCurrentStyle(const QString& name);
    // The edited copy of the style of that name, null when it is not offered.
    const DStyle* editedStyle(const QString& name) const;
    // Whether the copies differ from the styles given to initVal().
    bool isModified() const;

    DRendocView* preview() const { return m_preview; }

Q_SIGNALS:
    // An edit changed the copy of the style of that name.
    void styleEdited(const QString& name);

private:
    // Widens the style list so that no shown name is cut.
    void fitListToNames();

    struct Entry
    {
        DStyle* target;               // the caller's style
        std::unique_ptr<DStyle> copy; // the edited copy
    };

    void buildEditor(bool readOnly);
    QGroupBox* buildProperties();
    void addColorRows(QWidget* properties, QFormLayout* form);
    void addMarginRow(QWidget* properties, QFormLayout* form);
    QGroupBox* buildPreview();
    // Makes every editor change the current style.
    void connectEditors();
    DStyle* current() const;
    void showCurrent();
    void rebuildPreview();
    // Applies an edit to the current copy, then refreshes the preview.
    template <typename Edit> void edit(Edit&& change);

    QStringList m_styleNames;
    QMap<QString, QString> m_translation;
    std::vector<Entry> m_entries; // in display order

    QListWidget* m_list = nullptr;
    QFontComboBox* m_family = nullptr;
    QSpinBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QAColorButton* m_foreground = nullptr;
    QCheckBox* m_hasBackground = nullptr;
    QAColorButton* m_background = nullptr;
    QComboBox* m_align = nullptr;
    QSpinBox* m_margins[4] = {}; // left, top, right, bottom
    DRendocView* m_preview = nullptr;
    std::unique_ptr<DDocument> m_previewDoc;
    QList<DStyle*> m_previewStyles; // the copies, as the preview's reader takes them
};
