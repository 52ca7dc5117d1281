#pragma once

#include <QLabel>

// A tab of the main window: painted selected or unselected, a hand cursor, and
// a press signal. Optionally draws the separator lines at its right edge.
class TabLabel : public QLabel {
    Q_OBJECT
public:
    TabLabel(const QString& text, bool separator, QWidget* parent = nullptr);

    void SetSelected(bool selected);
    bool IsSelected() const { return selected_; }

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool separator_;
    bool selected_ = false;
};
