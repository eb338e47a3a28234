#include "rendoc/styleres/dstyleview.h"

#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/view/drendocview.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dupdater.h"
#include "sdk/qacolorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int MaxPointSize = 200;
constexpr int MaxMargin = 999;

// Alignments offered, in the order of the alignment box.
const Qt::Alignment Alignments[] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                     Qt::AlignJustify };

int alignmentIndex(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    for (int i = 0; i < int(std::size(Alignments)); ++i) {
        if (horizontal == Alignments[i])
            return i;
    }
    return 0;
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

DStyleView::DStyleView(const QStringList& styleNames, QWidget* parent, const char* name,
                       bool readOnly, unsigned int flags)
    : QWidget(parent, Qt::WindowFlags(int(flags))), m_styleNames(styleNames)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    buildEditor(readOnly);
    showCurrent();
}

DStyleView::~DStyleView()
{
    // The preview must forget its document before the document and the copies go.
    m_preview->clearDocs();
}

void DStyleView::buildEditor(bool readOnly)
{
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("styles"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    QGroupBox* properties = buildProperties();
    properties->setEnabled(!readOnly);
    QGroupBox* previewBox = buildPreview();

    auto* top = new QHBoxLayout;
    top->addWidget(m_list, 2);
    top->addWidget(properties, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top, 1);
    layout->addWidget(previewBox, 1);

    connectEditors();
}

QGroupBox* DStyleView::buildProperties()
{
    auto* properties = new QGroupBox(tr("Style"), this);
    auto* form = new QFormLayout(properties);

    m_family = new QFontComboBox(properties);
    m_family->setObjectName(QStringLiteral("family"));
    form->addRow(tr("&Font:"), m_family);

    m_size = new QSpinBox(properties);
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setRange(0, MaxPointSize);
    m_size->setSpecialValueText(tr("Default"));
    m_size->setSuffix(tr(" pt"));
    form->addRow(tr("&Size:"), m_size);

    auto* shape = new QHBoxLayout;
    m_bold = new QCheckBox(tr("&Bold"), properties);
    m_bold->setObjectName(QStringLiteral("bold"));
    m_italic = new QCheckBox(tr("&Italic"), properties);
    m_italic->setObjectName(QStringLiteral("italic"));
    m_underline = new QCheckBox(tr("&Underline"), properties);
    m_underline->setObjectName(QStringLiteral("underline"));
    shape->addWidget(m_bold);
    shape->addWidget(m_italic);
    shape->addWidget(m_underline);
    shape->addStretch();
    form->addRow(tr("Font style:"), shape);

    addColorRows(properties, form);

    m_align = new QComboBox(properties);
    m_align->setObjectName(QStringLiteral("align"));
    m_align->addItems({ tr("Left"), tr("Center"), tr("Right"), tr("Justify") });
    form->addRow(tr("&Alignment:"), m_align);

    addMarginRow(properties, form);
    return properties;
}

void DStyleView::addColorRows(QWidget* properties, QFormLayout* form)
{
    auto* text = new QHBoxLayout;
    m_foreground = new QAColorButton(properties);
    m_foreground->setObjectName(QStringLiteral("color"));
    text->addWidget(m_foreground);
    text->addStretch();
    auto* textLabel = new QLabel(tr("Text &color:"), properties);
    textLabel->setBuddy(m_foreground);
    form->addRow(textLabel, text);

    auto* fill = new QHBoxLayout;
    m_hasBackground = new QCheckBox(tr("&Fill"), properties);
    m_hasBackground->setObjectName(QStringLiteral("hasBackground"));
    m_background = new QAColorButton(properties);
    m_background->setObjectName(QStringLiteral("background"));
    fill->addWidget(m_hasBackground);
    fill->addWidget(m_background);
    fill->addStretch();
    auto* fillLabel = new QLabel(tr("Background:"), properties);
    fillLabel->setBuddy(m_hasBackground);
    form->addRow(fillLabel, fill);
}

void DStyleView::addMarginRow(QWidget* properties, QFormLayout* form)
{
    auto* margins = new QGridLayout;
    const QString marginLabels[] = { tr("Left"), tr("Top"), tr("Right"), tr("Bottom") };
    const char* const marginNames[] = { "marginLeft", "marginTop", "marginRight", "marginBottom" };
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = new QSpinBox(properties);
        m_margins[i]->setObjectName(QString::fromLatin1(marginNames[i]));
        m_margins[i]->setRange(0, MaxMargin);
        m_margins[i]->setSuffix(tr(" px"));
        margins->addWidget(new QLabel(marginLabels[i], properties), i / 2, (i % 2) * 2);
        margins->addWidget(m_margins[i], i / 2, (i % 2) * 2 + 1);
    }
    form->addRow(tr("Margins:"), margins);
}

QGroupBox* DStyleView::buildPreview()
{
    auto* previewBox = new QGroupBox(tr("Preview"), this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    m_preview = new DRendocView(previewBox);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setWordWrap(true);
    m_preview->setMargin(6);
    m_preview->setMinimumHeight(120);
    previewLayout->addWidget(m_preview);
    return previewBox;
}

void DStyleView::connectEditors()
{
    connect(m_list, &QListWidget::currentRowChanged, this, [this] {
        showCurrent();
        rebuildPreview();
    });
    connect(m_family, &QFontComboBox::currentFontChanged, this,
            [this](const QFont& font) { edit([&](DStyle& s) { s.setFamily(font.family()); }); });
    connect(m_size, &QSpinBox::valueChanged, this,
            [this](int size) { edit([&](DStyle& s) { s.setPointSize(size); }); });
    connect(m_bold, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](DStyle& s) { s.setBold(on); }); });
    connect(m_italic, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](DStyle& s) { s.setItalic(on); }); });
    connect(m_underline, &QCheckBox::toggled, this,
            [this](bool on) { edit([&](DStyle& s) { s.setUnderline(on); }); });
    connect(m_foreground, &QAColorButton::colorChanged, this,
            [this](const QColor& color) { edit([&](DStyle& s) { s.setForeground(color); }); });
    connect(m_hasBackground, &QCheckBox::toggled, this, [this](bool on) {
        m_background->setEnabled(on);
        edit([&](DStyle& s) { s.setBackground(on ? m_background->color() : QColor()); });
    });
    connect(m_background, &QAColorButton::colorChanged, this,
            [this](const QColor& color) { edit([&](DStyle& s) { s.setBackground(color); }); });
    connect(m_align, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        edit([&](DStyle& s) {
            s.setAlignment((s.alignment() & ~Qt::AlignHorizontal_Mask) | Alignments[index]);
        });
    });
    connect(m_margins[0], &QSpinBox::valueChanged, this,
            [this](int px) { edit([&](DStyle& s) { s.setMarginLeft(px); }); });
    connect(m_margins[1], &QSpinBox::valueChanged, this,
            [this](int px) { edit([&](DStyle& s) { s.setMarginTop(px); }); });
    connect(m_margins[2], &QSpinBox::valueChanged, this,
            [this](int px) { edit([&](DStyle& s) { s.setMarginRight(px); }); });
    connect(m_margins[3], &QSpinBox::valueChanged, this,
            [this](int px) { edit([&](DStyle& s) { s.setMarginBottom(px); }); });
}

void DStyleView::setStyleNames(const QStringList& styleNames)
{
    m_styleNames = styleNames;
}

void DStyleView::setStyleNameTranslation(const QMap<QString, QString>& translation)
{
    m_translation = translation;
    for (int row = 0; row < m_list->count(); ++row) {
        const QString& name = m_entries[size_t(row)].copy->name();
        m_list->item(row)->setText(m_translation.value(name, name));
    }
    fitListToNames();
}

void DStyleView::fitListToNames()
{
    const int names = m_list->sizeHintForColumn(0);
    const int scrollBar = m_list->verticalScrollBar()->sizeHint().width();
    m_list->setMinimumWidth(qMax(0, names) + 2 * m_list->frameWidth() + scrollBar + 4);
}

void DStyleView::initVal(const QList<DStyle*>& styles)
{
    const QString chosen = currentStyleName();
    {
        // The list is refilled silently; the editors and preview follow once below.
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        m_preview->clearDocs();
        m_previewDoc.reset();
        m_entries.clear();
        m_previewStyles.clear();

        auto offer = [this](DStyle* style) {
            for (const Entry& entry : m_entries) {
                if (entry.target == style)
                    return;
            }
            m_entries.push_back(Entry{ style, std::make_unique<DStyle>(*style) });
            m_previewStyles.append(m_entries.back().copy.get());
            m_list->addItem(m_translation.value(style->name(), style->name()));
        };
        if (m_styleNames.isEmpty()) {
            for (DStyle* style : styles) {
                if (style)
                    offer(style);
            }
        } else {
            for (const QString& name : std::as_const(m_styleNames)) {
                for (DStyle* style : styles) {
                    if (style && style->name() == name) {
                        offer(style);
                        break;
                    }
                }
            }
        }
    }
    fitListToNames();
    if (chosen.isNull() || !setCurrentStyle(chosen)) {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(m_entries.empty() ? -1 : 0);
    }
    showCurrent();
    rebuildPreview();
}

void DStyleView::updateStyles()
{
    for (const Entry& entry : m_entries)
        *entry.target = *entry.copy;
}

QString DStyleView::currentStyleName() const
{
    const DStyle* style = current();
    return style ? style->name() : QString();
}

bool DStyleView::setCurrentStyle(const QString& name)
{
    for (size_t row = 0; row < m_entries.size(); ++row) {
        if (m_entries[row].copy->name() == name) {
            m_list->setCurrentRow(int(row));
            return true;
        }
    }
    return false;
}

const DStyle* DStyleView::editedStyle(const QString& name) const
{
    for (const Entry& entry : m_entries) {
        if (entry.copy->name() == name)
            return entry.copy.get();
    }
    return nullptr;
}

bool DStyleView::isModified() const
{
    for (const Entry& entry : m_entries) {
        if (*entry.copy != *entry.target)
            return true;
    }
    return false;
}

DStyle* DStyleView::current() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < int(m_entries.size()) ? m_entries[size_t(row)].copy.get() : nullptr;
}

void DStyleView::showCurrent()
{
    const DStyle* style = current();
    const DStyle shown = style ? *style : DStyle();
    QWidget* editors[] = { m_family, m_size, m_bold, m_italic, m_underline, m_foreground,
                           m_hasBackground, m_background, m_align,
                           m_margins[0], m_margins[1], m_margins[2], m_margins[3] };
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* editor : editors) {
        blockers.push_back(std::make_unique<QSignalBlocker>(editor));
        editor->setEnabled(style != nullptr);
    }
    // An empty family or size 0 stand for the default font.
    m_family->setCurrentFont(shown.family().isEmpty() ? font() : QFont(shown.family()));
    m_size->setValue(shown.pointSize());
    m_bold->setChecked(shown.bold());
    m_italic->setChecked(shown.italic());
    m_underline->setChecked(shown.underline());
    m_foreground->setColor(shown.foreground(), false);
    const bool filled = shown.background().isValid();
    m_hasBackground->setChecked(filled);
    m_background->setColor(filled ? shown.background() : QColor(Qt::white), false);
    m_background->setEnabled(style && filled);
    m_align->setCurrentIndex(alignmentIndex(shown.alignment()));
    m_margins[0]->setValue(shown.marginLeft());
    m_margins[1]->setValue(shown.marginTop());
    m_margins[2]->setValue(shown.marginRight());
    m_margins[3]->setValue(shown.marginBottom());
}

void DStyleView::rebuildPreview()
{
    // The first paragraph shows the chosen style; the rest is a short report that uses the
    // usual report styles, each where a report would.
    const QString chosen = escaped(currentStyleName());
    const QString chosenName = m_translation.value(currentStyleName(), currentStyleName());
    QString aml = QStringLiteral("<DOCUMENT name=\"preview\">");
    if (!chosen.isEmpty())
        aml += QStringLiteral("<P style=\"%1\">%2</P>")
                   .arg(chosen, escaped(tr("%1: the quick brown fox jumps over the lazy dog 0123")
                                            .arg(chosenName)));
    aml += QStringLiteral("<TITLE level=\"1\">%1</TITLE>").arg(escaped(tr("Test campaign")))
        + QStringLiteral("<P>%1</P>")
              .arg(escaped(tr("Report text with a [link].", "the text in brackets becomes a link"))
                       .replace(QLatin1Char('['), QStringLiteral("<LINK target=\"#\">"))
                       .replace(QLatin1Char(']'), QStringLiteral("</LINK>")))
        + QStringLiteral("<P style=\"Normal Passed\">%1</P>").arg(escaped(tr("Check passed")))
        + QStringLiteral("<P style=\"Normal Failed\">%1</P>").arg(escaped(tr("Check failed")))
        + QStringLiteral("<P style=\"Warning\">%1</P>").arg(escaped(tr("Inconclusive test")))
        + QStringLiteral("<TABLE border=\"1\">"
                         "<ROW><CELLTEXT style=\"Array Title\" text=\"%1\"/>"
                         "<CELLTEXT style=\"Array Title\" text=\"%2\"/></ROW>"
                         "<ROW><CELLTEXT style=\"Array\" text=\"%3\"/>"
                         "<CELLTEXT style=\"Array Passed\" text=\"%4\"/></ROW>"
                         "<ROW><CELLTEXT style=\"Array\" text=\"%5\"/>"
                         "<CELLTEXT style=\"Array Failed\" text=\"%6\"/></ROW></TABLE>")
              .arg(escaped(tr("Test")), escaped(tr("Verdict")), escaped(tr("Start-up")),
                   escaped(tr("Passed")), escaped(tr("Log-in")), escaped(tr("Failed")))
        + QStringLiteral("</DOCUMENT>");

    m_preview->clearDocs();
    DAmlReader reader;
    reader.setStyles(m_previewStyles);
    reader.parseText(aml);
    m_previewDoc.reset(reader.handler()->takeDocuments());
    if (m_previewDoc)
        DUpdater().doAll(m_previewDoc.get());
    m_preview->setDocument(m_previewDoc.get(), true);
}

template <typename Edit> void DStyleView::edit(Edit&& change)
{
    DStyle* style = current();
    if (!style)
        return;
    change(*style);
    m_preview->rebuildDoc();
    Q_EMIT styleEdited(style->name());
}
