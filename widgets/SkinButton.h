#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QIcon>

// A flat push button drawn from two icons (normal, under the mouse) on a
// background colour per state.
class SkinButton : public QAbstractButton {
    Q_OBJECT
public:
    SkinButton(const QIcon& normal, const QIcon& hover, QWidget* parent = nullptr);

    void SetColors(const QColor& normal, const QColor& hover, const QColor& pressed);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QIcon normal_;
    QIcon hover_;
    QColor normalColor_;
    QColor hoverColor_;
    QColor pressedColor_;
    bool underMouse_ = false;
};
