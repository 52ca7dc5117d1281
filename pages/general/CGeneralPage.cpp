#include "CGeneralPage.h"

CGeneralPage::CGeneralPage(PageContext context, QWidget* parent)
    : CLinkPage(context, PageId::General, parent)
{
}

void CGeneralPage::ActivatePage()
{
    // The General page sends no query of its own when it is shown.
    CheckLinkThen([] {});
}

void CGeneralPage::OnLinkLost()
{
    State().comConnected = false;
}
