#pragma once

#include <QDialog>

class QLabel;

// The look the three popups share: no frame, white text on black, rounded
// corners and a per-window opacity (ignored where the platform has none).
class PopupWindow : public QDialog {
    Q_OBJECT
public:
    struct Look {
        QSize sizeDu;
        QRect labelDu;
        int cornerPx;
        int opacity; // 0..255
    };

    PopupWindow(const Look& look, QWidget* parent);

    QString LabelText() const;

protected:
    void SetLabelText(const QString& text);
    // Moves the window so that it is centred on `area`, with integer halves.
    void CentreOn(const QRect& area);
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* label_;
    int cornerPx_;
};
