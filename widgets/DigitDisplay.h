#pragma once

#include <QColor>
#include <QWidget>

// Digits drawn as seven-segment figures: lit segments in one colour, unlit
// ones in another, on a background.
class DigitDisplay : public QWidget {
    Q_OBJECT
public:
    explicit DigitDisplay(QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return text_; }
    void SetColors(const QColor& background, const QColor& unlit, const QColor& lit);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_ = QStringLiteral("1");
    QColor background_{Qt::black};
    QColor unlit_{Qt::black};
    QColor lit_{0, 255, 0};
};
