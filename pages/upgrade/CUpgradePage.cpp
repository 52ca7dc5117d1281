#include "CUpgradePage.h"

CUpgradePage::CUpgradePage(PageContext context, QWidget* parent)
    : CLinkPage(context, PageId::Upgrade, parent)
{
}

void CUpgradePage::ActivatePage()
{
    CheckLinkThen([] {});
}
