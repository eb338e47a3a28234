#pragma once

#include <QColor>
#include <QPushButton>

// A push button showing a colour swatch; clicking it asks the user for a
// new colour.
class QAColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit QAColorButton(QWidget* parent = nullptr);
    explicit QAColorButton(const QColor& color, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    // Shows `color`; emits colorChanged when `notify` is set and the colour
    // differs from the one shown.
    void setColor(const QColor& color, bool notify = true);

    QSize sizeHint() const override;

Q_SIGNALS:
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private Q_SLOTS:
    void chooseColor();

private:
    QColor m_color;
};
