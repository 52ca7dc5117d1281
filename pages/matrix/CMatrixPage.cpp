#include "CMatrixPage.h"

CMatrixPage::CMatrixPage(PageContext context, QWidget* parent)
    : CLinkPage(context, PageId::Matrix, parent)
{
}

void CMatrixPage::ActivatePage()
{
    CheckLinkThen([this] {
        if (State().IsTcp())
            matrixRxEnabled = true;
    });
}
