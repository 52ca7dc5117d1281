#pragma once

#include <QLabel>

// A red (link down) or green (link up) lamp.
class LampLabel : public QLabel {
    Q_OBJECT
public:
    explicit LampLabel(QWidget* parent = nullptr);

    void SetLit(bool lit);
    bool IsLit() const { return lit_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Repaint();

    bool lit_ = false;
};
