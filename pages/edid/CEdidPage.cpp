#include "CEdidPage.h"

CEdidPage::CEdidPage(PageContext context, QWidget* parent) : CLinkPage(context, PageId::Edid, parent)
{
}

void CEdidPage::ActivatePage()
{
    CheckLinkThen([] {});
}
