#include "sdk/qacolorbutton.h"

#include "sdk/qamodal.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

QAColorButton::QAColorButton(QWidget* parent)
    : QAColorButton(QColor(Qt::white), parent)
{
}

QAColorButton::QAColorButton(const QColor& color, QWidget* parent)
    : QPushButton(parent), m_color(color)
{
    connect(this, &QPushButton::clicked, this, &QAColorButton::chooseColor);
}

void QAColorButton::setColor(const QColor& color, bool notify)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
    if (notify)
        Q_EMIT colorChanged(m_color);
}

QSize QAColorButton::sizeHint() const
{
    const QSize hint = QPushButton::sizeHint();
    return QSize(qMax(hint.width(), 4 * hint.height()), hint.height());
}

void QAColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);

    // The swatch fills the button's contents area, inset from the bevel.
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect swatch = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    swatch.adjust(2, 2, -2, -2);
    if (isDown() || isChecked())
        swatch.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                         style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.setBrush(isEnabled() ? m_color : palette().color(QPalette::Disabled, QPalette::Button));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}

void QAColorButton::chooseColor()
{
    const QColor chosen = QAModal::getColor(
        m_color, this, QCoreApplication::translate("QAColorButton", "Select Color"));
    if (chosen.isValid())
        setColor(chosen, true);
}
