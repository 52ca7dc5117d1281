#include "WaitText.h"

namespace {
QString Verb(WaitFamily family)
{
    switch (family) {
    case WaitFamily::Setting:
        return QStringLiteral("Setting");
    case WaitFamily::Copying:
        return QStringLiteral("Copying");
    case WaitFamily::Downloading:
        return QStringLiteral("Downloading");
    case WaitFamily::GettingStatus:
        return QStringLiteral("Getting status");
    case WaitFamily::PleaseWait:
        return QStringLiteral("Please wait");
    }
    return {};
}
} // namespace

QString WaitText(WaitFamily family, int step)
{
    switch (step) {
    case 1:
        return Verb(family) + QStringLiteral(" .    ");
    case 2:
        return Verb(family) + QStringLiteral(" . .  ");
    default:
        return Verb(family) + QStringLiteral(" . . .");
    }
}

int NextWaitStep(int step)
{
    return step >= kWaitSteps ? 1 : step + 1;
}
