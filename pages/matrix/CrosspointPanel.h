#pragma once

#include "RoutingState.h"

#include <QWidget>

#include <array>

class DigitDisplay;
class QGroupBox;
class QPushButton;
class SkinButton;

// The output groups with their input buttons, step buttons and digit
// displays. Check marks and display texts are kept for all eight outputs and
// inputs; only outputs A..D and inputs 1..4 are shown.
class CrosspointPanel : public QWidget {
    Q_OBJECT
public:
    explicit CrosspointPanel(QWidget* parent);

    // Check mark on input n of output k, cleared on its seven others.
    // Pairs outside 1..8 change nothing.
    void ShowRouting(int input, int output);
    void SetDisplay(int output, const QString& text);

    bool IsChecked(int output, int input) const;
    QString DisplayText(int output) const;
    QPushButton& InputButton(int output, int input) const;
    SkinButton& StepButton(int output, bool next) const;
    DigitDisplay& Display(int output) const;

signals:
    // A press never changes a check mark by itself.
    void inputPressed(int output, int input);
    void stepPressed(int output, bool next);

private:
    void ShowChecks(int output);

    std::array<std::array<bool, kRoutingPorts>, kRoutingPorts> checks_{};
    std::array<QString, kRoutingPorts> displayTexts_;
    std::array<std::array<QPushButton*, kShownPorts>, kShownPorts> inputButtons_{};
    std::array<std::array<SkinButton*, 2>, kShownPorts> stepButtons_{};
    std::array<DigitDisplay*, kShownPorts> displays_{};
};
