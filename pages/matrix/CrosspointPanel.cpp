#include "CrosspointPanel.h"

#include "DialogUnits.h"
#include "DigitDisplay.h"
#include "PaintedIcons.h"
#include "SkinButton.h"

#include <QGroupBox>
#include <QPushButton>

namespace {
constexpr int kGroupPitchDu = 73;
constexpr QRect kGroupDu{7, 7, 61, 99};
constexpr int kButtonXDu = 10;
constexpr int kButtonPitchDu = 13;
constexpr QSize kButtonDu{13, 12};
constexpr int kFirstRowDu = 60;
constexpr int kSecondRowDu = 75;
constexpr QRect kDisplayDu{9, 11, 38, 31}; // relative to its group

bool IsPort(int number)
{
    return number >= 1 && number <= kRoutingPorts;
}
} // namespace

CrosspointPanel::CrosspointPanel(QWidget* parent) : QWidget(parent)
{
    QFont panelFont = font();
    panelFont.setPointSize(10);
    setFont(panelFont);
    const DialogUnits du(panelFont);
    displayTexts_.fill(QStringLiteral("1"));

    for (int output = 1; output <= kShownPorts; ++output) {
        const int dx = kGroupPitchDu * (output - 1);
        auto* group = new QGroupBox(QStringLiteral("OUTPUT %1").arg(QChar('A' + output - 1)), this);
        group->setGeometry(du.Rect(kGroupDu.x() + dx, kGroupDu.y(), kGroupDu.width(), kGroupDu.height()));

        auto* display = new DigitDisplay(this);
        display->setGeometry(du.Rect(kGroupDu.x() + dx + kDisplayDu.x(), kGroupDu.y() + kDisplayDu.y(),
                                     kDisplayDu.width(), kDisplayDu.height()));
        display->SetColors(Qt::black, Qt::black, QColor(0, 255, 0));
        displays_[output - 1] = display;

        for (int input = 1; input <= kShownPorts; ++input) {
            auto* button = new QPushButton(QString::number(input), this);
            button->setCheckable(true);
            button->setFocusPolicy(Qt::NoFocus);
            button->setGeometry(du.Rect(kButtonXDu + dx + kButtonPitchDu * (input - 1), kFirstRowDu,
                                        kButtonDu.width(), kButtonDu.height()));
            connect(button, &QPushButton::clicked, this, [this, button, output, input](bool checked) {
                // The click toggled the mark; only the matrix's answer may.
                button->setChecked(!checked);
                emit inputPressed(output, input);
            });
            inputButtons_[output - 1][input - 1] = button;
        }
        // Previous sits under input 2, next under input 3.
        for (bool next : {false, true}) {
            auto* step = new SkinButton(PaintedIcons::Step(next), PaintedIcons::Step(next), this);
            step->setGeometry(du.Rect(kButtonXDu + dx + kButtonPitchDu * (next ? 2 : 1), kSecondRowDu,
                                      kButtonDu.width(), kButtonDu.height()));
            connect(step, &SkinButton::clicked, this, [this, output, next] { emit stepPressed(output, next); });
            stepButtons_[output - 1][next ? 1 : 0] = step;
        }
        group->lower();
    }
}

void CrosspointPanel::ShowRouting(int input, int output)
{
    if (!IsPort(input) || !IsPort(output))
        return;
    for (int each = 1; each <= kRoutingPorts; ++each)
        checks_[output - 1][each - 1] = each == input;
    ShowChecks(output);
}

void CrosspointPanel::ShowChecks(int output)
{
    if (output > kShownPorts)
        return;
    for (int input = 1; input <= kShownPorts; ++input)
        inputButtons_[output - 1][input - 1]->setChecked(checks_[output - 1][input - 1]);
}

void CrosspointPanel::SetDisplay(int output, const QString& text)
{
    if (!IsPort(output))
        return;
    displayTexts_[output - 1] = text;
    if (output <= kShownPorts)
        displays_[output - 1]->SetText(text);
}

bool CrosspointPanel::IsChecked(int output, int input) const
{
    return IsPort(output) && IsPort(input) && checks_[output - 1][input - 1];
}

QString CrosspointPanel::DisplayText(int output) const
{
    return IsPort(output) ? displayTexts_[output - 1] : QString();
}

QPushButton& CrosspointPanel::InputButton(int output, int input) const
{
    return *inputButtons_[output - 1][input - 1];
}

SkinButton& CrosspointPanel::StepButton(int output, bool next) const
{
    return *stepButtons_[output - 1][next ? 1 : 0];
}

DigitDisplay& CrosspointPanel::Display(int output) const
{
    return *displays_[output - 1];
}
