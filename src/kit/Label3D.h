#pragma once

#include <QColor>
#include <QWidget>

/// A caption drawn raised or sunken: the text with a light and a dark copy offset by one
/// pixel.
class TLabel3D : public QWidget {
    Q_OBJECT
public:
    enum class Style { Raised, Sunken, Flat };

    explicit TLabel3D(const QString& text = {}, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    void setStyle3D(Style style);
    Style style3D() const { return m_style; }
    void setTextColor(const QColor& color);
    void setAlignment(Qt::Alignment alignment);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    Style m_style = Style::Raised;
    QColor m_color{Qt::black};
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};
