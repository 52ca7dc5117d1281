#pragma once

#include <QString>

// The verbs of the wait popup; each animates through three texts of equal
// length with one, two and three dots.
enum class WaitFamily { Setting, Copying, Downloading, GettingStatus, PleaseWait };

constexpr int kWaitSteps = 3;

// step 1..3; step 3 is the text a wait popup opens with.
QString WaitText(WaitFamily family, int step);

// The step after `step`, wrapping 3 -> 1 (and starting at 1 from 0).
int NextWaitStep(int step);
